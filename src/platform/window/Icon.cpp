#include "platform/window/Icon.h"

#include <QImageReader>
#include <QPixmap>
#include <stdexcept>

#include "platform/window/ResourceModule.h"

namespace win {

Icon::Icon(const ResourceID& id, const rt::Usual& /*type*/, const rt::Usual& /*width*/,
           const rt::Usual& /*height*/) {
    const ResourceModule* module = ResourceModule::FromInstance(id.Instance());
    const auto path = module ? module->FindIconGroup(id) : std::nullopt;
    if (!path) throw std::runtime_error("icon resource not found: " + id.ToString());
    QImageReader reader(*path);
    do {
        QImage image = reader.read();
        if (!image.isNull()) images_.push_back(std::move(image));
    } while (reader.jumpToNextImage());
    if (images_.isEmpty()) throw std::runtime_error("icon resource unreadable: " + id.ToString());
}

QList<QSize> Icon::Sizes() const {
    QList<QSize> sizes;
    for (const auto& image : images_) sizes.push_back(image.size());
    return sizes;
}

QIcon Icon::ToQIcon() const {
    QIcon icon;
    for (const auto& image : images_) icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}

}  // namespace win
