#pragma once
// A port's name, "Com1" to "Com255": read from text once (the letters in any
// case, the number without leading zeros), compared by its number, and
// written back as "ComN".

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace serial {

class PortName {
  public:
    static constexpr int kMaxNumber = 255;

    // The port `text` names; nullopt for anything else ("Com0", "Com256",
    // "Com01", "Com", "foo", "").
    static std::optional<PortName> Parse(std::string_view text);

    // `number` must lie in 1..kMaxNumber.
    explicit PortName(int number) : number_(number) {}

    int Number() const { return number_; }
    // "Com12".
    std::string Text() const;

    friend auto operator<=>(const PortName&, const PortName&) = default;

  private:
    int number_;
};

}  // namespace serial
