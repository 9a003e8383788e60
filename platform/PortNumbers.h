#pragma once
// How many numbered ports the tool offers and from which number on the user
// assigns the device paths (kept in the settings store).
namespace orlan {

inline constexpr int kPortCount = 199;
inline constexpr int kFirstUserPort = 97;

} // namespace orlan
