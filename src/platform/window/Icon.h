#pragma once
// An icon made from an icon group of a module's resources, found by number
// or by name (without regard to case). Holds every image of the group.
// Construction fails with std::runtime_error when the group does not exist
// or its file holds no image.

#include <QIcon>
#include <QImage>
#include <QList>
#include <QSize>
#include <string>

#include "platform/runtime/Usual.h"
#include "platform/window/ResourceID.h"

namespace win {

class Icon : public rt::Object {
  public:
    // The three further arguments (image type, width, height) are the
    // platform's load options; the layer always loads every image.
    explicit Icon(const ResourceID& id, const rt::Usual& type = rt::NIL,
                  const rt::Usual& width = rt::NIL, const rt::Usual& height = rt::NIL);

    const QList<QImage>& Images() const { return images_; }
    QList<QSize> Sizes() const;
    QIcon ToQIcon() const;

    std::string ClassName() const override { return "ICON"; }

  private:
    QList<QImage> images_;
};

}  // namespace win
