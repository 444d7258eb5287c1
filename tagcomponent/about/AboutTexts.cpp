#include <tagcomponent/about/AboutTexts.h>

#include <tagcomponent/ComponentVersion.h>

namespace tagcomponent::about {

// The caption gives the version in the same order as the title label.
QString aboutCaption() { return QStringLiteral("About ") + titleLabelText(); }

QString titleLabelText() {
  return QStringLiteral("%1 %2.%3.%4")
      .arg(QString::fromUtf8(kComponentTitle))
      .arg(kVersionMajor)
      .arg(kVersionMinor)
      .arg(kVersionRevision);
}

QString descriptionText() {
  return QStringLiteral("Reading and Writing ID3 Tags of MP3's.\r\n") +
         QStringLiteral("Copyright \u00A9 Wendlow. All rights reserved.\r\n") + QStringLiteral("\r\n") +
         QString::fromUtf8(kMakerWebPage);
}

}  // namespace tagcomponent::about
