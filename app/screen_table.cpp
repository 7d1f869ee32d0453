#include "app/screen_table.h"

#include "app/correction/ui/frm_correction.h"
#include "app/desktop/ui/navigator.h"
#include "app/exercises/correction_handover.h"
#include "app/exercises/ui/frm_basic_sentences.h"
#include "app/exercises/ui/frm_composition_test.h"
#include "app/exercises/ui/frm_glossary.h"
#include "app/exercises/ui/frm_goals.h"
#include "app/exercises/ui/frm_guide.h"
#include "app/exercises/ui/frm_listening.h"
#include "app/exercises/ui/frm_rearrangement.h"
#include "app/exercises/ui/frm_summary.h"
#include "app/exercises/ui/frm_word_test.h"
#include "app/exercises/ui/frm_words.h"
#include "app/records/record_views.h"
#include "app/records/ui/frm_progress_charts.h"
#include "app/records/ui/frm_record_contents.h"
#include "app/records/ui/frm_record_list.h"
#include "app/shell/ui/frm_home.h"
#include "app/shell/ui/frm_login.h"
#include "app/shell/ui/frm_user_name.h"

namespace korvel {

void registerScreens(Navigator& navigator)
{
    navigator.add(ScreenId::Login, [](Navigator& nav) { return new frmログイン(nav); });
    navigator.add(ScreenId::Home, [](Navigator& nav) { return new frmホーム(nav); });
    navigator.add(ScreenId::HomeL, [](Navigator& nav) { return new frmホームL(nav); });
    navigator.add(ScreenId::UserName, [](Navigator& nav) { return new frmユーザ名(nav); });
    navigator.add(ScreenId::Words, [](Navigator& nav) { return new frm単語(nav); });
    navigator.add(ScreenId::WordTest, [](Navigator& nav) { return new frm単語テスト(nav); });
    navigator.add(ScreenId::BasicSentences, [](Navigator& nav) { return new frm基本文(nav); });
    navigator.add(ScreenId::Rearrangement, [](Navigator& nav) { return new frm並べ替え(nav); });
    navigator.add(ScreenId::Listening, [](Navigator& nav) { return new frm聞き取り(nav); });
    navigator.add(ScreenId::Goals, [](Navigator& nav) { return new frm学習目標(nav); });
    navigator.add(ScreenId::Summary, [](Navigator& nav) { return new frmまとめ(nav); });
    navigator.add(ScreenId::Glossary, [](Navigator& nav) { return new frm用語一覧(nav); });
    navigator.add(ScreenId::Guide, [](Navigator& nav) { return new frm手引き(nav); });
    navigator.add(ScreenId::ProgressCharts, [](Navigator& nav) { return new frm学習グラフ(nav); });
    navigator.add(ScreenId::Records, [](Navigator& nav) { return new frm記録一覧(nav); });
    // frm記録内容 shows the view last chosen on the record list.
    navigator.add(ScreenId::RecordContents,
                  [](Navigator& nav) { return new frm記録内容(nav, RecordViewChoice::get()); });
    navigator.add(ScreenId::CompositionTest, [](Navigator& nav) {
        return new frm英作文テスト(nav, CompositionTestLinks{correctionThroughNavigator(nav)});
    });
    // frm添削 takes the composition test's waiting request and hands its
    // result back when it closes.
    navigator.add(ScreenId::Correction, [](Navigator& nav) -> QWidget* {
        std::optional<CompositionRequest> request = CorrectionHandover::takeRequest();
        if (!request) {
            return nullptr;
        }
        return new frm添削(nav.session(), std::move(*request),
                           [](const CompositionResult& result) { CorrectionHandover::finish(result); });
    });
}

}  // namespace korvel
