#include "app/screen_table.h"

#include "app/exercises/ui/frm_composition_test.h"
#include "app/exercises/ui/frm_word_test.h"
#include "app/exercises/ui/frm_words.h"
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
    navigator.add(ScreenId::Words, [](Navigator& nav) { return new frm単語(nav); });
    navigator.add(ScreenId::WordTest, [](Navigator& nav) { return new frm単語テスト(nav); });
    navigator.add(ScreenId::CompositionTest, [](Navigator& nav) {
        return new frm英作文テスト(nav, CompositionTestLinks{correctionThroughNavigator(nav), nullptr});
    });
}

}  // namespace korvel
