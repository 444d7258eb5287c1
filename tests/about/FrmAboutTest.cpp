#include <tagcomponent/about/frmAbout.h>
#include <tagcomponent/ComponentVersion.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>

namespace {

class FrmAboutTest : public ::testing::Test {
 protected:
  void SetUp() override { owned = std::make_unique<tagcomponent::about::frmAbout>(QPixmap(32, 32), QIcon()); }
  std::unique_ptr<tagcomponent::about::frmAbout> owned;
  tagcomponent::about::frmAbout& dialog() { return *owned; }
};

TEST_F(FrmAboutTest, TextsNameTheComponentAndItsVersion) {
  EXPECT_EQ(dialog().lblTitle->text(), QStringLiteral("Lyrebox ") + QString::fromUtf8(tagcomponent::kVersionText));
  EXPECT_TRUE(dialog().windowTitle().startsWith(QStringLiteral("About Lyrebox")));
  const QStringList lines = dialog().lblDescription->text().split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 4);
  EXPECT_EQ(lines[0], QStringLiteral("Reading and Writing ID3 Tags of MP3's."));
  EXPECT_FALSE(lines[1].isEmpty());
  EXPECT_TRUE(lines[2].isEmpty());
  EXPECT_TRUE(lines[3].startsWith(QStringLiteral("https://")));
  const QFont font = dialog().lblTitle->font();
  EXPECT_EQ(font.family(), QStringLiteral("Arial"));
  EXPECT_DOUBLE_EQ(font.pointSizeF(), 14.25);
  EXPECT_TRUE(font.bold());
  EXPECT_TRUE(font.italic());
}

TEST_F(FrmAboutTest, LayoutIsFixedAndScaledFromTwips) {
  const double dpi = dialog().logicalDpiX();
  auto px = [dpi](int twips) { return static_cast<int>(twips * dpi / 1440.0 + 0.5); };
  EXPECT_EQ(dialog().size(), QSize(px(3150), px(2295)));
  EXPECT_EQ(dialog().minimumSize(), dialog().maximumSize());
  EXPECT_EQ(dialog().cmdOK->geometry(), QRect(px(840), px(1920), px(1260), px(345)));
  EXPECT_EQ(dialog().Image1->geometry(), QRect(px(120), px(120), px(480), px(480)));
  EXPECT_TRUE(dialog().cmdOK->isDefault());
}

TEST_F(FrmAboutTest, EnterEscapeAndOkAllCloseTheDialog) {
  for (int key : {int(Qt::Key_Escape), int(Qt::Key_Return), 0}) {
    QTimer::singleShot(0, [this, key] {
      if (key)
        QTest::keyClick(&dialog(), static_cast<Qt::Key>(key));
      else
        dialog().cmdOK->click();
    });
    dialog().exec();
    EXPECT_FALSE(dialog().isVisible()) << key;
  }
}

TEST_F(FrmAboutTest, ClickOnTheDescriptionOpensTheMakersPageShownInIt) {
  QString opened;
  tagcomponent::about::frmAbout::openWebPage = [&opened](const QString& address) {
    opened = address;
    return true;
  };
  dialog().show();
  QTest::mouseClick(dialog().lblDescription, Qt::LeftButton);
  EXPECT_FALSE(opened.isEmpty());
  EXPECT_TRUE(dialog().lblDescription->text().endsWith(opened));
}

}  // namespace
