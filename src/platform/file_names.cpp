#include "file_names.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace tavo {

namespace {

constexpr char16_t carried_byte_base = 0xDC00;
constexpr char16_t first_carried_byte = 0xDC80; // the byte 0x80; ASCII is always valid
constexpr char16_t last_carried_byte = 0xDCFF;

bool is_continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at `at`, or 0 when its first byte
// starts none. Overlong forms, surrogates and code points above U+10FFFF are
// invalid, so that each valid sequence is the only spelling of its character
// and encoding it again gives the same bytes.
qsizetype valid_sequence_length(QByteArrayView bytes, qsizetype at) {
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[at + i]); };
    const unsigned char lead = byte(0);
    qsizetype length = 0;
    unsigned char second_low = 0x80;
    unsigned char second_high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        second_low = lead == 0xE0 ? 0xA0 : 0x80;  // no overlong form
        second_high = lead == 0xED ? 0x9F : 0xBF; // no surrogate
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        second_low = lead == 0xF0 ? 0x90 : 0x80;  // no overlong form
        second_high = lead == 0xF4 ? 0x8F : 0xBF; // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (at + length > bytes.size() || byte(1) < second_low || byte(1) > second_high) {
        return 0;
    }
    for (qsizetype i = 2; i < length; ++i) {
        if (!is_continuation(byte(i))) {
            return 0;
        }
    }
    return length;
}

bool is_carried_byte(const QString& name, qsizetype at) {
    const char16_t unit = name.at(at).unicode();
    return unit >= first_carried_byte && unit <= last_carried_byte &&
           (at == 0 || !name.at(at - 1).isHighSurrogate());
}

bool carries_bytes(const QString& name) {
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (is_carried_byte(name, i)) {
            return true;
        }
    }
    return false;
}

} // namespace

QString file_name_from_bytes(QByteArrayView bytes) {
    QString name;
    name.reserve(bytes.size());
    qsizetype at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        if (lead < 0x80) {
            name += QChar(lead);
            ++at;
            continue;
        }
        const qsizetype length = valid_sequence_length(bytes, at);
        if (length == 0) {
            // Only this byte is carried; the next may start a valid sequence.
            name += QChar(static_cast<char16_t>(carried_byte_base + lead));
            ++at;
            continue;
        }
        name += QString::fromUtf8(bytes.sliced(at, length));
        at += length;
    }
    return name;
}

QByteArray file_name_bytes(const QString& name) {
    if (!carries_bytes(name)) {
        return QFile::encodeName(name); // the platform's own form (NFD on macOS)
    }
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype plain_from = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (is_carried_byte(name, i)) {
            bytes += name.sliced(plain_from, i - plain_from).toUtf8();
            bytes += static_cast<char>(name.at(i).unicode() - carried_byte_base);
            plain_from = i + 1;
        }
    }
    bytes += name.sliced(plain_from).toUtf8();
    return bytes;
}

QString displayed_file_name(const QString& name) {
    QString shown;
    shown.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (is_carried_byte(name, i)) {
            shown += QStringLiteral("\\x%1").arg(name.at(i).unicode() - carried_byte_base, 2, 16,
                                                 QLatin1Char('0'));
        } else {
            shown += name.at(i);
        }
    }
    return shown;
}

bool file_exists(const QString& name) {
#if defined(Q_OS_UNIX)
    return ::access(file_name_bytes(name).constData(), F_OK) == 0;
#else
    return QFileInfo::exists(name);
#endif
}

QStringList command_line_arguments(int argc, const char* const* argv) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    QStringList arguments;
    arguments.reserve(argc);
    for (int i = 0; i < argc; ++i) {
        arguments.append(file_name_from_bytes(QByteArrayView(argv[i])));
    }
    return arguments;
#else
    // Elsewhere names are not bytes (Windows) or always valid UTF-8 (macOS).
    (void)argc;
    (void)argv;
    return QCoreApplication::arguments();
#endif
}

} // namespace tavo
