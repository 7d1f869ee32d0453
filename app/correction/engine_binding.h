// The application's binding to the engine: initialisation once per run, the
// report buffer, the match call and the tests that make a report unusable.
// One binding serves the whole run (shared()); tests build their own or give
// the shared one another library.
#pragma once

#include "app/correction/zintra_library.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

namespace korvel {

class Session;

class EngineBinding {
public:
    // Size of the report buffer: 1,000,000 blanks; one more byte holds a zero
    // so that even a reply that fills every blank stays terminated.
    static constexpr int kReportSize = 1000000;

    explicit EngineBinding(std::unique_ptr<ZintraCalls> calls);

    // The binding of the run, on the library beside the executable.
    static EngineBinding& shared();
    // Gives the shared binding another library (tests); it starts uninitialised.
    static void replaceSharedLibrary(std::unique_ptr<ZintraCalls> calls);

    // zintraInit("zintra.ini") in the content root, only when not done yet in
    // this run; the engine reads its data relative to the current folder, so
    // the content root becomes the current folder first. Its result is not
    // examined: a failed initialisation shows at the first match call.
    void initialise(const QString& contentRoot);
    bool initialised() const { return initialised_; }
    int initCalls() const { return initCalls_; }

    // The match call ("prc_zintraMatch"): sends "<H1>" + exercise + "</H1><P>" +
    // sentence + "</P>" with the encoding "shift-jis" and returns the report
    // when it is usable. An unusable report (result 0, "Can't open Global or
    // Template file!", no "</div>") goes through dsp_ErrorMsg row 2 and gives
    // nothing. Initialises first when no screen has done so.
    std::optional<QString> prc_zintraMatch(Session& session, const QString& exercise, const QString& sentence);
    // The basic-sentence study aid's call ("prc_zintraMatch2"): the same, but
    // the result value is not examined, only the two tests of the report.
    std::optional<QString> prc_zintraMatch2(Session& session, const QString& exercise, const QString& sentence);

    static QString requestText(const QString& exercise, const QString& sentence);

    const QString& lastRequest() const { return lastRequest_; }
    const QString& lastReport() const { return lastReport_; }

private:
    std::optional<QString> match(Session& session, const QString& exercise, const QString& sentence, bool examineResult,
                                 const QString& routine);

    std::unique_ptr<ZintraCalls> calls_;
    bool initialised_ = false;
    int initCalls_ = 0;
    QByteArray bufferTemplate_;
    QString lastRequest_;
    QString lastReport_;
};

}  // namespace korvel
