#include "app/desktop/qt_file_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace korvel {

QString QtFileDialog::saveFileName(const QString& title, const QString& suggested, const QString& filter)
{
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, QDir::home().filePath(suggested), filter);
}

}  // namespace korvel
