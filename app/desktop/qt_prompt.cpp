#include "app/desktop/qt_prompt.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <utility>
#include <vector>

namespace korvel {

namespace {

// The buttons as a Japanese desktop labels them, whatever the system's language.
QString japaneseCaption(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Yes: return QStringLiteral("はい");
    case QMessageBox::No: return QStringLiteral("いいえ");
    case QMessageBox::Cancel: return QStringLiteral("キャンセル");
    default: return QStringLiteral("OK");
    }
}

}  // namespace

Prompt::Answer QtPrompt::ask(const QString& title, const QString& text, Buttons buttons, Icon icon,
                             const QStringList& captions)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    // The texts use CR LF line ends, as the message files do.
    box.setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    switch (icon) {
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    std::vector<std::pair<QMessageBox::StandardButton, Answer>> order;
    switch (buttons) {
    case Buttons::Ok: order = {{QMessageBox::Ok, Answer::Ok}}; break;
    case Buttons::OkCancel: order = {{QMessageBox::Ok, Answer::Ok}, {QMessageBox::Cancel, Answer::Cancel}}; break;
    case Buttons::YesNo: order = {{QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No}}; break;
    case Buttons::YesNoCancel:
        order = {{QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No}, {QMessageBox::Cancel, Answer::Cancel}};
        break;
    }
    QMessageBox::StandardButtons set;
    for (const auto& entry : order) {
        set |= entry.first;
    }
    box.setStandardButtons(set);
    for (std::size_t i = 0; i < order.size(); ++i) {
        const QString caption = i < static_cast<std::size_t>(captions.size()) ? captions[static_cast<qsizetype>(i)]
                                                                              : japaneseCaption(order[i].first);
        box.button(order[i].first)->setText(caption);
    }
    box.setDefaultButton(order.front().first);
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const auto& entry : order) {
        if (entry.first == pressed) {
            return entry.second;
        }
    }
    // The box closed by Escape or its close box: the last button's meaning
    // (Cancel where there is one).
    return order.back().second;
}

}  // namespace korvel
