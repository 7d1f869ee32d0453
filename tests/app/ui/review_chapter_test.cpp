// Chapter 28, the review, on the bundled course of data/course: the home
// screen offers no basic sentences, rearrangement or listening quiz there, and
// every function it does offer opens a screen with content. Its composition
// test keeps the file order (the items follow the course from chapter 1 to 27)
// and corrects through the real engine.
#include "app/correction/engine_binding.h"
#include "app/correction/ui/frm_correction.h"
#include "app/correction/ui/screen_audio.h"
#include "app/exercises/ui/frm_composition_test.h"
#include "app/exercises/ui/frm_goals.h"
#include "app/exercises/ui/frm_summary.h"
#include "app/exercises/ui/frm_word_test.h"
#include "app/exercises/ui/frm_words.h"
#include "app/exercises/ui/function_bar.h"
#include "app/exercises/ui/page_viewer.h"
#include "app/shell/ui/frm_home.h"
#include "tests/app/ui/screen_fixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#ifdef KORVEL_ZINTRA_LIBRARY

namespace korvel {
namespace {

constexpr int kReview = 28;

class SilentAudio final : public AudioOut {
public:
    void play(const QString&) override {}
};

void copyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).path());
        QFile::remove(target);
        ASSERT_TRUE(QFile::copy(file, target)) << target.toStdString();
    }
}

class ReviewChapter : public test::ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        copyTree(QStringLiteral(KORVEL_COURSE_DIR), content.path());
        // The engine's configuration in the content root, naming the bundled
        // data and templates by absolute path.
        const QString data = QStringLiteral(KORVEL_ENGINE_DATA);
        QFile ini(data + QStringLiteral("/zintra.ini"));
        ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(ini.readAll());
        for (const char* key : {"DICTIONARY_FILE", "LEXICALRULEFILE", "BIGRAMS", "COMPOUND_FILE", "CONTEXTUALRULEFILE",
                                "TEMPLATES_DIR", "GRAMMAR_FILE"}) {
            const QString name = QString::fromLatin1(key) + QLatin1Char(' ');
            text.replace(QLatin1Char('\n') + name, QLatin1Char('\n') + name + data + QLatin1Char('/'));
        }
        content.write(QStringLiteral("zintra.ini"), text.toUtf8());
        writeUsers({test::userRecordBytes("Taro", -1, -1, "")});
        random.values = {0.0};
        before_ = QDir::currentPath();
        EngineBinding::replaceSharedLibrary(loadZintraLibrary(QStringLiteral(KORVEL_ZINTRA_LIBRARY)));
        setScreenAudio(&audio_);
    }
    void TearDown() override
    {
        ScreenTest::TearDown();
        setScreenAudio(nullptr);
        QDir::setCurrent(before_);
    }

    // The home screen with chapter 28 chosen.
    HomeScreen* reviewHome()
    {
        auto* home = dynamic_cast<HomeScreen*>(openHomeAs(0));
        if (home != nullptr) {
            home->CommandChapter[kReview - 1]->click();
            settle();
        }
        return home;
    }
    // Opens function `index` of chapter 28 from the home screen.
    template <class T>
    T* openFunction(int index)
    {
        HomeScreen* home = reviewHome();
        if (home == nullptr || !home->CommandFunction[static_cast<std::size_t>(index)]->isEnabled()) {
            return nullptr;
        }
        home->CommandFunction[static_cast<std::size_t>(index)]->click();
        settle();
        return opened<T>();
    }
    static void expectReviewBar(const FunctionBar* bar)
    {
        for (int i = 0; i < 8; ++i) {
            const bool quiz = i >= 2 && i <= 4;
            EXPECT_EQ(bar->CommandFunction[static_cast<std::size_t>(i)]->isEnabled(), !quiz) << i;
        }
    }

    SilentAudio audio_;
    QString before_;
};

TEST_F(ReviewChapter, TheHomeScreenOffersOnlyTheFunctionsWithContent)
{
    HomeScreen* home = reviewHome();
    ASSERT_NE(home, nullptr);
    for (int i = 0; i < 8; ++i) {
        const bool quiz = i >= 2 && i <= 4;
        EXPECT_EQ(home->CommandFunction[static_cast<std::size_t>(i)]->isEnabled(), !quiz) << i;
    }
}

TEST_F(ReviewChapter, GoalsWordsSummaryAndWordTestHaveContent)
{
    frm学習目標* goals = openFunction<frm学習目標>(0);
    ASSERT_NE(goals, nullptr);
    EXPECT_FALSE(goals->LabelGoal->text().trimmed().isEmpty());
    EXPECT_GE(goals->Pages->count(), 2);
    EXPECT_FALSE(goals->PictureSkit->pixmap().isNull());
    expectReviewBar(goals->Bar);

    frm単語* words = openFunction<frm単語>(1);
    ASSERT_NE(words, nullptr);
    EXPECT_GE(words->GridWords->rowCount(), 30);

    frmまとめ* summary = openFunction<frmまとめ>(5);
    ASSERT_NE(summary, nullptr);
    EXPECT_TRUE(summary->TextSummary->toPlainText().contains(QStringLiteral("I visited my uncle yesterday.")));

    frm単語テスト* test = openFunction<frm単語テスト>(6);
    ASSERT_NE(test, nullptr);
    EXPECT_GE(test->GridTest->rowCount(), 30);
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();
}

TEST_F(ReviewChapter, CompositionsGoInTheCoursesOrderAndAreCorrected)
{
    QPointer<frm英作文テスト> screen = openFunction<frm英作文テスト>(7);
    ASSERT_NE(screen, nullptr);
    const int rows = screen->GridTest->rowCount();
    ASSERT_GE(rows, 30);
    // Each prompt ends with the chapter it reviews, from 1 up to 27.
    const QRegularExpression reviewed(QStringLiteral("（第(\\d+)章）$"));
    int previous = 0;
    for (int row = 0; row < rows; ++row) {
        // A long prompt is split over two lines of the grid.
        const QString japanese =
            screen->GridTest->item(row, 1)->text().remove(QRegularExpression(QStringLiteral("[\r\n]")));
        const QRegularExpressionMatch m = reviewed.match(japanese);
        ASSERT_TRUE(m.hasMatch()) << japanese.toStdString();
        const int chapter = m.captured(1).toInt();
        EXPECT_GE(chapter, previous) << japanese.toStdString();
        EXPECT_LT(chapter, kReview);
        previous = chapter;
    }
    EXPECT_EQ(screen->GridTest->item(0, 1)->text(), QStringLiteral("私は日本の出身です。（第1章）"));
    EXPECT_EQ(previous, kReview - 1);

    // A typical error of chapter 19 on the row that reviews it: the real
    // engine explains the missing "to" and the row is marked wrong.
    int row19 = -1;
    for (int row = 0; row < rows && row19 < 0; ++row) {
        if (screen->GridTest->item(row, 1)
                ->text()
                .remove(QRegularExpression(QStringLiteral("[\r\n]")))
                .endsWith(QStringLiteral("（第19章）"))) {
            row19 = row;
        }
    }
    ASSERT_GE(row19, 0);
    // The Down arrow in the empty answer box steps to the next row.
    for (int row = 0; row < row19; ++row) {
        QTest::keyClick(screen->TextAnswer, Qt::Key_Down);
    }
    ASSERT_EQ(screen->GridTest->currentRow(), row19);
    type(screen->TextAnswer, QStringLiteral("I want become a doctor."), true);
    settle();
    auto* correction = dynamic_cast<frm添削*>(navigator->lastOpened());
    ASSERT_NE(correction, nullptr);
    EXPECT_EQ(
        correction->lastResult().request,
        QStringLiteral("<H1>Lesson28-%1</H1><P>I want become a doctor.</P>").arg(row19 + 1, 2, 10, QLatin1Char('0')));
    EXPECT_TRUE(correction->TextComment->toPlainText().contains(QStringLiteral("want to")))
        << correction->TextComment->toPlainText().toStdString();
    QTest::keyClick(correction->TextInput, Qt::Key_F9);
    settle();
    EXPECT_EQ(screen->GridTest->item(row19, 3)->text(), QStringLiteral("×"));
}

}  // namespace
}  // namespace korvel

#endif
