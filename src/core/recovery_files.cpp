#include "recovery_files.h"

#include "process_lock.h"
#include "whole_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRandomGenerator>
#include <algorithm>

namespace tavo {

namespace {

const QString data_suffix = QStringLiteral(".tavo");
const QString info_suffix = QStringLiteral(".info");
const QString lock_suffix = QStringLiteral(".lock");
const QString set_prefix = QStringLiteral("recovery-");
// Set aside under a name the listing of sets does not match, keeping the
// ".tavo" ending so the file can still be opened by hand.
const QString damaged_prefix = QStringLiteral("damaged-");

// The info file is a few hundred bytes and a path.
constexpr qint64 largest_info_file = qint64{64} * 1024;

QString shown_path(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString subject_of(const RecoveryOffer& offer) {
    const QString subject = offer.record.fields[0].trimmed();
    return subject.isEmpty() ? QStringLiteral("an unnamed subject") : subject;
}

QString when_of(const QDateTime& written) {
    return QLocale::c().toString(written.toLocalTime(), QStringLiteral("d MMMM yyyy 'at' HH:mm"));
}

} // namespace

QByteArray info_text(const RecoveryInfo& info) {
    QJsonObject object;
    object.insert(QStringLiteral("version"), info.version);
    object.insert(QStringLiteral("file"), info.file_name);
    object.insert(QStringLiteral("written"), info.written.toString(Qt::ISODateWithMs));
    return QJsonDocument(object).toJson();
}

std::optional<RecoveryInfo> parse_info(QByteArrayView text) {
    const QJsonDocument document = QJsonDocument::fromJson(text.toByteArray());
    if (!document.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    const QJsonValue version = object.value(QStringLiteral("version"));
    const QDateTime written = QDateTime::fromString(
        object.value(QStringLiteral("written")).toString(), Qt::ISODateWithMs);
    if (!version.isDouble() || !written.isValid()) {
        return std::nullopt;
    }
    return RecoveryInfo{object.value(QStringLiteral("file")).toString(), written, version.toInt()};
}

QString recovery_question(const RecoveryOffer& offer) {
    return QStringLiteral("TAVO was not closed properly. Recover the unsaved assessment of %1, "
                          "last changed %2?")
        .arg(subject_of(offer), when_of(offer.written));
}

QString discard_question(const RecoveryOffer& offer) {
    return QStringLiteral("Delete the unsaved assessment of %1, last changed %2, for good?")
        .arg(subject_of(offer), when_of(offer.written));
}

RecoveryFolder::RecoveryFolder(QString path)
    : m_path(std::move(path)) {}

QString RecoveryFolder::data_path(const QString& id) const {
    return m_path + QLatin1Char('/') + set_prefix + id + data_suffix;
}

QString RecoveryFolder::info_path(const QString& id) const {
    return m_path + QLatin1Char('/') + set_prefix + id + info_suffix;
}

QString RecoveryFolder::lock_path(const QString& id) const {
    return m_path + QLatin1Char('/') + set_prefix + id + lock_suffix;
}

QString RecoveryFolder::new_id() {
    return QStringLiteral("%1-%2-%3")
        .arg(QCoreApplication::applicationPid())
        .arg(QDateTime::currentMSecsSinceEpoch())
        .arg(QRandomGenerator::global()->bounded(1u << 16), 4, 16, QLatin1Char('0'));
}

std::optional<QString> RecoveryFolder::prepare() const {
    if (!QDir().mkpath(m_path)) {
        return QStringLiteral("the folder could not be made");
    }
    // The sets hold personal data: only the user may look into the folder.
    if (!QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
        return QStringLiteral("the folder could not be made private to the user");
    }
    return std::nullopt;
}

std::optional<RecoveryInfo> RecoveryFolder::read_info(const QString& id) const {
    const WholeFile file = read_whole_file(info_path(id), largest_info_file);
    if (!file.ok()) {
        return std::nullopt;
    }
    return parse_info(file.bytes);
}

QDateTime RecoveryFolder::written_of(const QString& id) const {
    if (const std::optional<RecoveryInfo> info = read_info(id)) {
        return info->written;
    }
    return QFileInfo(data_path(id)).lastModified();
}

QStringList RecoveryFolder::orphans() const {
    const QDir folder(m_path);
    QStringList ids;
    const auto id_of = [](const QString& name, const QString& suffix) {
        return name.mid(set_prefix.size(), name.size() - set_prefix.size() - suffix.size());
    };
    for (const QString& name : folder.entryList({set_prefix + QLatin1Char('*') + data_suffix},
                                                QDir::Files | QDir::Hidden)) {
        const QString id = id_of(name, data_suffix);
        if (!lock_is_held(lock_path(id))) {
            ids << id;
        }
    }
    // A process that ended with nothing unsaved leaves no assessment; what
    // else it left is of no use.
    for (const QString& suffix : {lock_suffix, info_suffix}) {
        for (const QString& name : folder.entryList({set_prefix + QLatin1Char('*') + suffix},
                                                    QDir::Files | QDir::Hidden)) {
            const QString id = id_of(name, suffix);
            if (!QFileInfo::exists(data_path(id)) && !lock_is_held(lock_path(id))) {
                QFile::remove(folder.filePath(name));
            }
        }
    }
    std::vector<std::pair<QDateTime, QString>> dated;
    dated.reserve(static_cast<std::size_t>(ids.size()));
    for (const QString& id : ids) {
        dated.emplace_back(written_of(id), id);
    }
    std::sort(dated.begin(), dated.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    QStringList newest_first;
    for (const auto& entry : dated) {
        newest_first << entry.second;
    }
    return newest_first;
}

RecoveryRefusal RecoveryFolder::set_aside(const QString& id, const QString& reason) const {
    const QDir folder(m_path);
    const QString data_name = set_prefix + id + data_suffix;
    QString aside = folder.filePath(damaged_prefix + data_name);
    // A set refused before under the same name keeps its place.
    for (int n = 2; QFileInfo::exists(aside); ++n) {
        aside = folder.filePath(damaged_prefix + QString::number(n) + QLatin1Char('-') + data_name);
    }
    const QString info_aside = aside.chopped(data_suffix.size()) + info_suffix;
    const bool moved = QFile::rename(data_path(id), aside);
    QFile::rename(info_path(id), info_aside);
    QFile::remove(lock_path(id));
    const QString kept = moved ? QStringLiteral("It has been kept as \"%1\" and will not be "
                                                "offered again.")
                                     .arg(shown_path(aside))
                               : QStringLiteral("It could not be moved aside and stays where "
                                                "it is.");
    return {QStringLiteral("The unsaved assessment in the recovery file \"%1\" cannot be "
                           "recovered.\n\n%2.\n\n%3")
                .arg(shown_path(data_path(id)), reason, kept)};
}

std::variant<RecoveryOffer, RecoveryRefusal> RecoveryFolder::load(const QString& id) const {
    const std::optional<RecoveryInfo> info = read_info(id);
    if (info && info->version > recovery_format_version) {
        return set_aside(id, QStringLiteral("It was written by a newer version of TAVO"));
    }
    const ReadResult read = read_assessment_file(data_path(id), TestData{});
    if (!read.ok()) {
        return set_aside(id, describe_read_failure(*read.failure));
    }
    // Without its info (the process ended between the two writes) the set
    // still holds the whole assessment; only the file it belongs to is unknown.
    return RecoveryOffer{id, read.record, info ? info->file_name : QString(),
                         info ? info->written : QFileInfo(data_path(id)).lastModified()};
}

bool RecoveryFolder::remove(const QString& id) const {
    const QString data = data_path(id);
    const bool removed = !QFileInfo::exists(data) || QFile::remove(data);
    QFile::remove(info_path(id));
    if (removed) {
        QFile::remove(lock_path(id));
    }
    return removed;
}

} // namespace tavo
