#include "Clock.h"

#include <optional>

namespace {

std::optional<QDateTime>& fixedMoment() {
    static std::optional<QDateTime> moment;
    return moment;
}

}  // namespace

namespace Clock {

QDateTime now() {
    return fixedMoment().value_or(QDateTime::currentDateTime());
}

void fix(const QDateTime& moment) {
    fixedMoment() = moment;
}

void unfix() {
    fixedMoment().reset();
}

}  // namespace Clock
