#include "local_time.h"

#include <QDateTime>

namespace tavo {

LocalTime local_time_from(const QDateTime& local) {
    const QDate date = local.date();
    const QTime time = local.time();
    LocalTime st;
    st.year = static_cast<std::uint16_t>(date.year());
    st.month = static_cast<std::uint16_t>(date.month());
    st.day_of_week = static_cast<std::uint16_t>(date.dayOfWeek() % 7); // Qt: Monday 1 .. Sunday 7
    st.day = static_cast<std::uint16_t>(date.day());
    st.hour = static_cast<std::uint16_t>(time.hour());
    st.minute = static_cast<std::uint16_t>(time.minute());
    st.second = static_cast<std::uint16_t>(time.second());
    st.millisecond = static_cast<std::uint16_t>(time.msec());
    return st;
}

LocalTime local_time_now() {
    return local_time_from(QDateTime::currentDateTime());
}

} // namespace tavo
