#include "platform/qt/qtsettingsstore.h"

#include "platform/qt/qtext.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <memory>

namespace orvik {

namespace {

QString userConfigDirectory() {
    const QString configured = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!configured.isEmpty())
        return configured;
    return QDir::homePath() + QStringLiteral("/.config");
}

// A fresh store object per call, so that edits another program made to the
// file (or the registry) since the last call are seen.
std::unique_ptr<QSettings> openStore(const QtSettingsStore& store, const std::string& application) {
#ifdef Q_OS_WIN
    // The shop's existing settings live under this key; it must not change.
    Q_UNUSED(store);
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\") +
            toQString(application),
        QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(store.iniFilePath(application), QSettings::IniFormat);
#endif
}

// An unquoted comma in a hand-written INI value makes the INI reader split
// it into a list; the setting is one text, so the parts are joined again.
QString settingText(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

} // namespace

QtSettingsStore::QtSettingsStore(QString iniDirectory) : iniDirectory_(std::move(iniDirectory)) {}

QString QtSettingsStore::iniFilePath(const std::string& application) const {
    const QString directory = iniDirectory_.isEmpty() ? userConfigDirectory() : iniDirectory_;
    QString fileName = toQString(application);
    fileName.replace(QLatin1Char('/'), QLatin1Char('_'));
    return directory + QLatin1Char('/') + fileName + QStringLiteral(".ini");
}

std::string QtSettingsStore::read(const std::string& application, const std::string& section,
                                  const std::string& key, const std::string& defaultValue) {
    const std::unique_ptr<QSettings> settings = openStore(*this, application);
    settings->beginGroup(toQString(section));
    const QVariant value = settings->value(toQString(key));
    settings->endGroup();
    if (!value.isValid())
        return defaultValue;
    return fromQString(settingText(value));
}

void QtSettingsStore::write(const std::string& application, const std::string& section,
                            const std::string& key, const std::string& value) {
#ifndef Q_OS_WIN
    QDir().mkpath(QFileInfo(iniFilePath(application)).absolutePath());
#endif
    const std::unique_ptr<QSettings> settings = openStore(*this, application);
    settings->beginGroup(toQString(section));
    settings->setValue(toQString(key), toQString(value));
    settings->endGroup();
    settings->sync();
}

} // namespace orvik
