// The screens of korvel, registered with the navigator in one place. A screen
// that is added to the application is registered here; the home screen and the
// other screens then reach it through the navigator without further change.
#pragma once

namespace korvel {

class Navigator;

void registerScreens(Navigator& navigator);

}  // namespace korvel
