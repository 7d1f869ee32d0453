#include "app/screen_table.h"

#include "app/correction/ui/frm_correction.h"
#include "app/exercises/correction_handover.h"
#include "app/exercises/ui/frm_composition_test.h"
#include "app/shell/ui/frm_home.h"
#include "app/shell/ui/frm_login.h"
#include "app/shell/ui/frm_user_name.h"
#include "app/desktop/ui/navigator.h"

namespace korvel {

void registerScreens(Navigator& navigator)
{
    navigator.add(ScreenId::Login, [](Navigator& nav) { return new frmログイン(nav); });
    navigator.add(ScreenId::Home, [](Navigator& nav) { return new frmホーム(nav); });
    navigator.add(ScreenId::HomeL, [](Navigator& nav) { return new frmホームL(nav); });
    navigator.add(ScreenId::UserName, [](Navigator& nav) { return new frmユーザ名(nav); });
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
