#include "practice/PracticeSettings.h"

#include "base/JsonFields.h"

#include <cmath>
#include <limits>

using namespace JsonFields;

PracticeSettings PracticeSettings::clamped() const {
    return {repeatRange.clamp(repeats), rateRange.clamp(rate), gapFactorRange.clamp(gapFactor),
            autoAdvance};
}

void PracticeSettings::slower() {
    rate -= rateStep;
}

void PracticeSettings::faster() {
    rate += rateStep;
}

void PracticeSettings::normalSpeed() {
    rate = 1.0;
}

void PracticeSettings::setRateToNearestStep(double chosen) {
    rate = std::round(chosen * stepsPerRate) / stepsPerRate;
}

QJsonObject PracticeSettings::toJson() const {
    return {{QStringLiteral("repeats"), repeats},
            {QStringLiteral("rate"), rate},
            {QStringLiteral("gapFactor"), gapFactor},
            {QStringLiteral("autoAdvance"), autoAdvance}};
}

PracticeSettings PracticeSettings::fromJson(const QJsonValue& value) {
    const QJsonObject object = asObject(value, u"the practice settings");
    const qint64 repeats = requireInteger(object, u"repeats");
    if (repeats < std::numeric_limits<int>::min() || repeats > std::numeric_limits<int>::max())
        throw DecodingError(QStringLiteral("The number of repeats is out of range."));
    return {static_cast<int>(repeats), requireDouble(object, u"rate"),
            requireDouble(object, u"gapFactor"), requireBool(object, u"autoAdvance")};
}
