#pragma once

// The built-in report logo "RelLogotipoTavrel.jpg", shipped inside the program.

#include <QString>

namespace kestrova {

inline constexpr char OwnLogoFile[] = "RelLogotipo.bmp";
inline constexpr char BuiltInLogoFile[] = "RelLogotipoTavrel.jpg";
inline constexpr int MaxLogoWidth = 110;
inline constexpr int MaxLogoHeight = 65;

// The picture's resource path.
QString BuiltInLogoResource();

// Places the built-in logo in the configuration folder when it is not there yet (at start-up).
// True when the file is there afterwards.
bool InstallBuiltInLogo(const QString &configFolder);

} // namespace kestrova
