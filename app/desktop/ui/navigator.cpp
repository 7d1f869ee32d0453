#include "app/desktop/ui/navigator.h"

#include "app/desktop/screen_fit.h"

#include <QCoreApplication>

namespace korvel {

ScreenId functionScreen(int index)
{
    static constexpr ScreenId kScreens[kFunctionCount] = {
        ScreenId::Goals,   ScreenId::Words,    ScreenId::BasicSentences,  ScreenId::Rearrangement, ScreenId::Listening,
        ScreenId::Summary, ScreenId::WordTest, ScreenId::CompositionTest, ScreenId::Records,
    };
    return kScreens[index];
}

QString functionCaption(int index)
{
    switch (index) {
    case 0: return QStringLiteral("学習目標と説明");
    case 1: return QStringLiteral("単語習得");
    case 2: return QStringLiteral("基本文習得");
    case 3: return QStringLiteral("並べ替えクイズ");
    case 4: return QStringLiteral("聞き取りクイズ");
    case 5: return QStringLiteral("まとめ");
    case 6: return QStringLiteral("単語テスト");
    case 7: return QStringLiteral("英作文テスト");
    case 8: return QStringLiteral("学習記録と一覧");
    default: return {};
    }
}

Navigator::Navigator(Session& session) : session_(session), quit_([] { QCoreApplication::quit(); })
{
    session_.setEndProgram([this] { endProgram(); });
}

void Navigator::add(ScreenId id, Factory factory)
{
    factories_[id] = std::move(factory);
}

bool Navigator::has(ScreenId id) const
{
    return factories_.count(id) != 0;
}

ScreenId Navigator::homeScreen() const
{
    return session_.currentUser().wideDisplay == -1 ? ScreenId::Home : ScreenId::HomeL;
}

QWidget* Navigator::open(ScreenId id)
{
    if (id == ScreenId::Home || id == ScreenId::HomeL) {
        id = homeScreen();
    }
    const auto found = factories_.find(id);
    if (found == factories_.end() || ending_) {
        return nullptr;
    }
    QWidget* screen = found->second(*this);
    if (screen == nullptr) {
        return nullptr;
    }
    screen->setAttribute(Qt::WA_DeleteOnClose);
    // Every screen opens whole on its screen, its bottom row of buttons included.
    centreOnScreen(screen);
    screen->show();
    lastOpened_ = screen;
    opened_.removeAll(QPointer<QWidget>());
    opened_.append(screen);
    return screen;
}

ScreenId Navigator::retestScreen(std::int16_t chapter)
{
    switch (chapter) {
    case kRetestWords: return ScreenId::WordTest;
    case kRetestCompositions: return ScreenId::CompositionTest;
    default: return ScreenId::Listening;
    }
}

QWidget* Navigator::openRetest(std::int16_t chapter)
{
    if (chapter != kRetestWords && chapter != kRetestCompositions && chapter != kRetestListening) {
        return nullptr;
    }
    session_.setChapter(chapter);
    return open(retestScreen(chapter));
}

void Navigator::endProgram()
{
    ending_ = true;
    const QList<QPointer<QWidget>> screens = opened_;
    for (const QPointer<QWidget>& screen : screens) {
        if (screen) {
            screen->close();
        }
    }
    if (quit_) {
        quit_();
    }
}

}  // namespace korvel
