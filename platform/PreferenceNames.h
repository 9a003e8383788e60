#pragma once
// Names of the user's preference store, shared by the desktop tool (which
// writes it) and every program that reads a choice from it (the catalogue's
// language is read by the command-line tool too).
namespace orlan {

inline constexpr char kOrganisationName[] = "orlan";
inline constexpr char kApplicationName[] = "orlan";

// The remembered catalogue language: "en", "ru", "zh_CN", or empty to follow
// the system's language.
inline constexpr char kLanguageSetting[] = "ui/language";

} // namespace orlan
