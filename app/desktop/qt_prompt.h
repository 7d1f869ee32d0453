// The message boxes of the running program.
#pragma once

#include "app/desktop/services.h"

namespace korvel {

class QtPrompt final : public Prompt {
public:
    Answer ask(const QString& title, const QString& text, Buttons buttons, Icon icon,
               const QStringList& captions) override;
};

}  // namespace korvel
