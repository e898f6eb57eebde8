#include "TFormSave.h"

#include <QKeyEvent>

#include "DocumentPresence.h"
#include "FileList.h"
#include "Messages.h"
#include "ModelError.h"
#include "TPngButton.h"
#include "TThEstimateObjectList.h"
#include "ui_TFormSave.h"

TFormSave::TFormSave(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TFormSave>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    ui_->BtnOK->hide();
    ui_->BtnCancel->hide();
    ui_->PNGBtnOK->SetStandardButton(ui_->BtnOK);
    ui_->PNGBtnCancel->SetStandardButton(ui_->BtnCancel);
    connect(ui_->BtnOK, &QPushButton::clicked, this, &TFormSave::BtnOKClick);
    connect(ui_->BtnCancel, &QPushButton::clicked, this, [this] { done(ResultCancel); });
    for (QLineEdit* edit : {ui_->EdtFileName, ui_->EdtComment}) {
        edit->installEventFilter(this);
    }
}

TFormSave::~TFormSave() = default;

void TFormSave::Bind(const TThEstimateObjectList& document, const QString& dataFolder,
                     const QString& fileName, const QString& comment, OpenDocument* open,
                     const std::optional<OpenDocument::Listed>& listed) {
    document_ = &document;
    dataFolder_ = dataFolder;
    if (open == nullptr) {
        unbound_ = std::make_unique<OpenDocument>(DocumentPresence::RootOfDataFolder(dataFolder));
        open = unbound_.get();
    }
    open_ = open;
    listed_ = listed;
    ui_->EdtFileName->setText(fileName);
    ui_->EdtComment->setText(comment);
}

void TFormSave::reject() {
    done(ResultCancel);
}

void TFormSave::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ui_->EdtFileName->setFocus();
}

bool TFormSave::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ui_->BtnOK->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFormSave::BtnOKClick() {
    const QString name = ui_->EdtFileName->text();
    const QString problem = FileList::SaveNameProblem(name);
    if (!problem.isEmpty()) {
        Messages::Information(this, problem);
        ui_->EdtFileName->setFocus();
        return;
    }
    const QString path = FileList::DocumentPath(dataFolder_, name);
    try {
        const auto ask = [this](const QString& question) {
            return Messages::Question(this, question, false);
        };
        if (!open_->Save(*document_, name, path, ui_->EdtComment->text(), listed_, ask)) {
            return;
        }
    } catch (const EDocumentInUse& refusal) {
        Messages::Information(this, refusal.message());
        return;
    } catch (const EModelError& error) {
        Messages::Error(this, error.message());
        return;
    }
    done(ResultOK);
}
