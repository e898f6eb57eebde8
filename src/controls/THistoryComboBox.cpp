#include "THistoryComboBox.h"

#include <QCompleter>
#include <QSettings>
#include <QStandardPaths>

THistoryComboBox::THistoryComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    // Only AddHistory puts texts into the list; Enter must not append them on its own.
    setInsertPolicy(QComboBox::NoInsert);
    // Completing "tokyo" into "Tokyo" would change what the user typed.
    completer()->setCaseSensitivity(Qt::CaseSensitive);
}

void THistoryComboBox::SetRegistryKey(const QString& key) {
    registryKey_ = key.isEmpty() || key.endsWith(u'\\') ? key : key + u'\\';
}

QString THistoryComboBox::RegistryFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/HESTREL/Pelkano4.ini");
}

QString THistoryComboBox::SettingsGroup() const {
    QString path = registryKey_ + (subKey_.isEmpty() ? objectName() : subKey_);
    path.replace(u'\\', u'/');
    while (path.endsWith(u'/')) {
        path.chop(1);
    }
    return path;
}

void THistoryComboBox::LoadHistory() {
    if (registryKey_.isEmpty()) {
        return;
    }
    QSettings settings(RegistryFile(), QSettings::IniFormat);
    settings.beginGroup(SettingsGroup());
    if (settings.childKeys().isEmpty()) {
        return;  // no such key: the list stays as it is
    }
    QStringList entries;
    for (int n = 0; n < historyCount_; ++n) {
        const QString name = QString::number(n);
        if (settings.contains(name)) {
            entries << settings.value(name).toString();
        }
    }
    setEntries(entries);
}

void THistoryComboBox::AddHistory() {
    const QString text = currentText();
    if (text.trimmed().isEmpty()) {
        return;
    }
    QStringList entries{text};
    for (int i = 0; i < count(); ++i) {
        if (itemText(i) != text) {
            entries << itemText(i);
        }
    }
    entries = entries.first(qBound(0, historyCount_, int(entries.size())));
    setEntries(entries);
    if (!entries.isEmpty()) {
        setCurrentIndex(0);
    }
    SaveHistory();
}

void THistoryComboBox::ClearHistory() {
    setEntries({});
    SaveHistory();
}

void THistoryComboBox::SaveHistory() {
    if (registryKey_.isEmpty()) {
        return;
    }
    // Unwritable stores are skipped silently: the history then lasts for this run only.
    QSettings settings(RegistryFile(), QSettings::IniFormat);
    settings.remove(SettingsGroup());
    settings.beginGroup(SettingsGroup());
    for (int i = 0; i < count(); ++i) {
        settings.setValue(QString::number(i), itemText(i));
    }
}

// Replaces the list; the text in the edit part stays.
void THistoryComboBox::setEntries(const QStringList& entries) {
    const QString text = currentText();
    clear();
    addItems(entries);
    setCurrentIndex(-1);
    setEditText(text);
}
