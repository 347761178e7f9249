#include "gui/app/qttranslations.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QString CancelText() {
    return QCoreApplication::translate("QPlatformTheme", "Cancel");
}

bool QtTranslationInstalled(const QString &code) {
    return QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u"/qtbase_"_s + code + u".qm"_s);
}

class QtTranslationsTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QtTranslationInstalled(u"fr"_s) || !QtTranslationInstalled(u"es"_s)) {
            GTEST_SKIP() << "Qt's translations are not installed (Debian: qt6-translations-l10n)";
        }
    }
};

TEST_F(QtTranslationsTest, FrenchMessageBoxSaysAnnuler) {
    ASSERT_TRUE(ApplyQtTranslations(u"fr"_s));
    QMessageBox box(QMessageBox::Question, u"Tarnwick"_s, u"?"_s, QMessageBox::Ok | QMessageBox::Cancel);
    const QString cancel = box.button(QMessageBox::Cancel)->text();
    ApplyQtTranslations(u"en"_s);

    EXPECT_EQ(cancel, u"Annuler"_s);
    EXPECT_EQ(CancelText(), u"Cancel"_s);
}

TEST_F(QtTranslationsTest, ANewLanguageReplacesThePreviousOne) {
    QtTranslations translations;
    ASSERT_TRUE(translations.apply(u"fr"_s));
    ASSERT_EQ(CancelText(), u"Annuler"_s);

    EXPECT_TRUE(translations.apply(u"es"_s));
    EXPECT_EQ(CancelText(), u"Cancelar"_s);
    EXPECT_TRUE(translations.apply(u"en"_s));
    EXPECT_EQ(CancelText(), u"Cancel"_s);
}

TEST_F(QtTranslationsTest, ALanguageWithoutQtTextsFallsBackToEnglish) {
    QtTranslations translations;
    ASSERT_TRUE(translations.apply(u"fr"_s));

    EXPECT_FALSE(translations.apply(u"xx"_s));
    EXPECT_EQ(CancelText(), u"Cancel"_s);
}

TEST_F(QtTranslationsTest, TheTextsGoWithTheirOwner) {
    {
        QtTranslations translations;
        ASSERT_TRUE(translations.apply(u"fr"_s));
    }
    EXPECT_EQ(CancelText(), u"Cancel"_s);
}

} // namespace
