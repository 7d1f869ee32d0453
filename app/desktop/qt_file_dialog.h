// The save dialog of the running program.
#pragma once

#include "app/desktop/services.h"

namespace korvel {

class QtFileDialog final : public FileDialog {
public:
    QString saveFileName(const QString& title, const QString& suggested, const QString& filter) override;
};

}  // namespace korvel
