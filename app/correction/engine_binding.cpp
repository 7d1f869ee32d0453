#include "app/correction/engine_binding.h"

#include "app/files/sjis_text.h"
#include "app/shell/session.h"

#include <QDir>

#include <cstring>

namespace korvel {

namespace {

std::unique_ptr<EngineBinding>& sharedSlot()
{
    static std::unique_ptr<EngineBinding> binding;
    return binding;
}

}  // namespace

EngineBinding::EngineBinding(std::unique_ptr<ZintraCalls> calls) : calls_(std::move(calls))
{
}

EngineBinding& EngineBinding::shared()
{
    auto& slot = sharedSlot();
    if (!slot) {
        slot = std::make_unique<EngineBinding>(loadZintraLibrary(zintraLibraryBesideExecutable()));
    }
    return *slot;
}

void EngineBinding::replaceSharedLibrary(std::unique_ptr<ZintraCalls> calls)
{
    sharedSlot() = std::make_unique<EngineBinding>(std::move(calls));
}

void EngineBinding::initialise(const QString& contentRoot)
{
    if (initialised_) {
        return;
    }
    if (!contentRoot.isEmpty()) {
        QDir::setCurrent(contentRoot);
    }
    ++initCalls_;
    calls_->init("zintra.ini");
    bufferTemplate_ = QByteArray(kReportSize, ' ');
    bufferTemplate_.append('\0');
    initialised_ = true;
}

QString EngineBinding::requestText(const QString& exercise, const QString& sentence)
{
    return QStringLiteral("<H1>") + exercise + QStringLiteral("</H1><P>") + sentence + QStringLiteral("</P>");
}

std::optional<QString> EngineBinding::prc_zintraMatch(Session& session, const QString& exercise,
                                                      const QString& sentence)
{
    return match(session, exercise, sentence, true, QStringLiteral("prc_zintraMatch"));
}

std::optional<QString> EngineBinding::prc_zintraMatch2(Session& session, const QString& exercise,
                                                       const QString& sentence)
{
    return match(session, exercise, sentence, false, QStringLiteral("prc_zintraMatch2"));
}

std::optional<QString> EngineBinding::match(Session& session, const QString& exercise, const QString& sentence,
                                            bool examineResult, const QString& routine)
{
    initialise(session.folders().contentRoot);
    lastRequest_ = requestText(exercise, sentence);
    // The engine wraps the request in an XML document without an encoding
    // declaration, so the request goes as UTF-8; the reply comes back in the
    // encoding named here.
    const QByteArray request = lastRequest_.toUtf8();
    QByteArray buffer = bufferTemplate_;
    buffer.detach();
    const int result = calls_->match("shift-jis", request.constData(), buffer.data());
    const char* start = buffer.constData();
    const void* zero = std::memchr(start, '\0', static_cast<std::size_t>(buffer.size()));
    const qsizetype length = zero != nullptr ? static_cast<const char*>(zero) - start : buffer.size();
    lastReport_ = sjis::decode(QByteArrayView(start, length));

    if ((examineResult && result == 0) || lastReport_.contains(QLatin1String("Can't open Global or Template file!")) ||
        !lastReport_.contains(QLatin1String("</div>"))) {
        session.dsp_ErrorMsg(2, routine, QStringLiteral(" データ名 ") + lastRequest_);
        return std::nullopt;
    }
    return lastReport_;
}

}  // namespace korvel
