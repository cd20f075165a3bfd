#pragma once
// Texts the application shell shows, defined once.

namespace app::texts {

inline constexpr char kShellCaption[] = "Тест COM-порта";
// Caption of RPMsg's box when none is given.
inline constexpr char kMessageCaption[] = "Ошибка";

}  // namespace app::texts
