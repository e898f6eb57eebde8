#pragma once

#include <QComboBox>

// An editable drop-down that remembers the last texts entered in it across runs. The
// history lives in the per-user store under RegistryKey + SubKey (the control's name when
// SubKey is empty) as values named 0, 1, 2, ..., newest first; an empty RegistryKey keeps
// it in the list only.
class THistoryComboBox : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(int historyCount READ HistoryCount WRITE SetHistoryCount)
    Q_PROPERTY(QString registryKey READ RegistryKey WRITE SetRegistryKey)
    Q_PROPERTY(QString subKey READ SubKey WRITE SetSubKey)

  public:
    explicit THistoryComboBox(QWidget* parent = nullptr);

    int HistoryCount() const { return historyCount_; }
    void SetHistoryCount(int count) { historyCount_ = count; }
    const QString& RegistryKey() const { return registryKey_; }
    // A key is kept with a trailing "\", as in "Software\Hestrel\Pelkano3\".
    void SetRegistryKey(const QString& key);
    const QString& SubKey() const { return subKey_; }
    void SetSubKey(const QString& subKey) { subKey_ = subKey; }

    void LoadHistory();
    void AddHistory();
    void ClearHistory();
    void SaveHistory();

    // The INI file that stands in for the per-user registry.
    static QString RegistryFile();
    // RegistryKey + SubKey as a settings group, "Software/Hestrel/Pelkano3/Place".
    QString SettingsGroup() const;

  private:
    void setEntries(const QStringList& entries);

    int historyCount_ = 10;
    QString registryKey_;
    QString subKey_;
};
