#include "app/desktop/services.h"

namespace korvel {

void SystemRandom::reseed(const Clock& clock)
{
    engine_.seed(static_cast<std::uint64_t>(clock.now().toMSecsSinceEpoch()));
}

double SystemRandom::next()
{
    return std::uniform_real_distribution<double>(0.0, 1.0)(engine_);
}

QString clockText(const QDateTime& when)
{
    // The short date and time with seconds, minus its last three characters.
    QString text = when.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    text.chop(3);
    return text;
}

}  // namespace korvel
