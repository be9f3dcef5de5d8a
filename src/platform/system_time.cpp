#include "system_time.h"

#include <QDateTime>

namespace tavo {

SystemTime system_time_from(const QDateTime& local) {
    const QDate date = local.date();
    const QTime time = local.time();
    SystemTime st;
    st.wYear = static_cast<std::uint16_t>(date.year());
    st.wMonth = static_cast<std::uint16_t>(date.month());
    st.wDayOfWeek = static_cast<std::uint16_t>(date.dayOfWeek() % 7); // Qt: Monday 1 .. Sunday 7
    st.wDay = static_cast<std::uint16_t>(date.day());
    st.wHour = static_cast<std::uint16_t>(time.hour());
    st.wMinute = static_cast<std::uint16_t>(time.minute());
    st.wSecond = static_cast<std::uint16_t>(time.second());
    st.wMilliseconds = static_cast<std::uint16_t>(time.msec());
    return st;
}

SystemTime local_time_now() {
    return system_time_from(QDateTime::currentDateTime());
}

} // namespace tavo
