#pragma once
#include <QString>

namespace tagcomponent::about {

// The maker's web page: shown in the description and opened by a click on it.
inline constexpr const char* kMakerWebPage = "https://lyrebox.wendlow.example/";

QString aboutCaption();
QString titleLabelText();
QString descriptionText();

}  // namespace tagcomponent::about
