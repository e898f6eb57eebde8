#include "SlipTemplate.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "ModelError.h"
#include "TPRImage.h"
#include "TPRLabel.h"
#include "TPRLayoutPanel.h"
#include "TPRPage.h"
#include "TPRRect.h"
#include "TPRText.h"

namespace {

using Vars = TSlipTemplateVars;

class TemplateError : public std::runtime_error {
  public:
    explicit TemplateError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// Integer expressions: numbers, variables, + - * /, == and parentheses.
class Expression {
  public:
    Expression(const QString& text, const Vars& vars) : text_(text), vars_(vars) {}

    int Evaluate() {
        const int value = Equality();
        Skip();
        if (at_ != text_.size()) {
            Fail();
        }
        return value;
    }

  private:
    int Equality() {
        int value = Sum();
        while (Take(QStringLiteral("=="))) {
            value = value == Sum() ? 1 : 0;
        }
        return value;
    }
    int Sum() {
        int value = Product();
        for (;;) {
            if (Take(QStringLiteral("+"))) {
                value += Product();
            } else if (Take(QStringLiteral("-"))) {
                value -= Product();
            } else {
                return value;
            }
        }
    }
    int Product() {
        int value = Factor();
        for (;;) {
            if (Take(QStringLiteral("*"))) {
                value *= Factor();
            } else if (Take(QStringLiteral("/"))) {
                const int divisor = Factor();
                if (divisor == 0) {
                    Fail();
                }
                value /= divisor;
            } else {
                return value;
            }
        }
    }
    int Factor() {
        Skip();
        if (Take(QStringLiteral("("))) {
            const int value = Equality();
            if (!Take(QStringLiteral(")"))) {
                Fail();
            }
            return value;
        }
        if (Take(QStringLiteral("-"))) {
            return -Factor();
        }
        const qsizetype start = at_;
        while (at_ < text_.size() && (text_[at_].isLetterOrNumber() || text_[at_] == u'_')) {
            ++at_;
        }
        const QString word = text_.mid(start, at_ - start);
        bool isNumber = false;
        const int number = word.toInt(&isNumber);
        if (isNumber) {
            return number;
        }
        if (!vars_.contains(word)) {
            throw TemplateError(
                QStringLiteral("unknown variable \"%1\" in \"%2\"").arg(word, text_));
        }
        return vars_.value(word);
    }
    void Skip() {
        while (at_ < text_.size() && text_[at_] == u' ') {
            ++at_;
        }
    }
    bool Take(const QString& token) {
        Skip();
        if (text_.mid(at_, token.size()) == token) {
            at_ += token.size();
            return true;
        }
        return false;
    }
    [[noreturn]] void Fail() const {
        throw TemplateError(QStringLiteral("bad expression \"%1\"").arg(text_));
    }

    QString text_;
    const Vars& vars_;
    qsizetype at_ = 0;
};

int Number(const QJsonValue& value, const Vars& vars, int fallback) {
    if (value.isUndefined()) {
        return fallback;
    }
    if (value.isDouble()) {
        return value.toInt();
    }
    if (value.isString()) {
        return Expression(value.toString(), vars).Evaluate();
    }
    throw TemplateError(QStringLiteral("a number is expected"));
}

std::int32_t Colour(const QJsonValue& value, std::int32_t fallback) {
    static const QHash<QString, std::int32_t> names = {
        {"black", 0}, {"white", 0xFFFFFF}, {"navy", 0x800000}, {"none", clNone}};
    if (value.isUndefined()) {
        return fallback;
    }
    if (value.isString() && names.contains(value.toString())) {
        return names.value(value.toString());
    }
    if (value.isDouble()) {
        return value.toInt();
    }
    throw TemplateError(QStringLiteral("unknown colour"));
}

class Loader {
  public:
    explicit Loader(QString folder) : folder_(std::move(folder)) {}

    QJsonObject Read(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            throw EFileError(QStringLiteral("%1: %2").arg(path, file.errorString()));
        }
        QJsonParseError error;
        const QJsonDocument json = QJsonDocument::fromJson(file.readAll(), &error);
        if (error.error != QJsonParseError::NoError || !json.isObject()) {
            throw EFileFormatError(QStringLiteral("%1: offset %2: %3")
                                       .arg(path)
                                       .arg(error.offset)
                                       .arg(error.errorString()));
        }
        return json.object();
    }

    // The included files' variables and components, then the file's own.
    void Collect(const QJsonObject& file, Vars& vars, QJsonArray& components) {
        for (const QJsonValue& include : file.value(QStringLiteral("include")).toArray()) {
            Collect(Read(folder_ + include.toString()), vars, components);
        }
        const QJsonObject own = file.value(QStringLiteral("vars")).toObject();
        for (auto it = own.begin(); it != own.end(); ++it) {
            vars.insert(it.key(), Number(it.value(), vars, 0));
        }
        for (const QJsonValue& component : file.value(QStringLiteral("components")).toArray()) {
            components.append(component);
        }
    }

    void AddAll(TPRPanel& panel, const QJsonArray& components, Vars& vars, const QString& page) {
        for (const QJsonValue& value : components) {
            const QJsonObject entry = value.toObject();
            if (entry.contains(QStringLiteral("repeat"))) {
                const QString var = entry.value(QStringLiteral("repeat")).toString();
                const int from = Number(entry.value(QStringLiteral("from")), vars, 1);
                const int to = Number(entry.value(QStringLiteral("to")), vars, 0);
                const QJsonArray body = entry.value(QStringLiteral("components")).toArray();
                for (int n = from; n <= to; ++n) {
                    vars.insert(var, n);
                    AddAll(panel, body, vars, page);
                }
                vars.remove(var);
            } else {
                Add(panel, entry, vars, page);
            }
        }
    }

  private:
    static QString Expand(QString text, const Vars& vars) {
        for (auto it = vars.begin(); it != vars.end(); ++it) {
            text.replace(QLatin1Char('{') + it.key() + QLatin1Char('}'),
                         QString::number(it.value()));
        }
        return text;
    }

    static void Add(TPRPanel& panel, const QJsonObject& e, const Vars& vars, const QString& page) {
        const QString kind = e.value(QStringLiteral("class")).toString();
        std::unique_ptr<TPRItem> item;
        if (kind == QLatin1String("Label")) {
            auto label = std::make_unique<TPRLabel>();
            const QString align = e.value(QStringLiteral("align")).toString();
            label->Alignment = align == QLatin1String("center")  ? pdf::TAlignment::taCenter
                               : align == QLatin1String("right") ? pdf::TAlignment::taRightJustify
                                                                 : pdf::TAlignment::taLeftJustify;
            label->SetCaption(e.value(QStringLiteral("caption")).toString());
            item = std::move(label);
        } else if (kind == QLatin1String("Text")) {
            auto text = std::make_unique<TPRText>();
            text->SetLeading(static_cast<float>(e.value(QStringLiteral("leading")).toDouble(14)));
            item = std::move(text);
        } else if (kind == QLatin1String("Rect")) {
            auto rect = std::make_unique<TPRRect>();
            rect->LineColor = Colour(e.value(QStringLiteral("line")), 0);
            rect->FillColor = Colour(e.value(QStringLiteral("fill")), clNone);
            rect->SetLineWidth(
                static_cast<float>(e.value(QStringLiteral("lineWidth")).toDouble(0)));
            item = std::move(rect);
        } else if (kind == QLatin1String("Image")) {
            item = std::make_unique<TPRImage>();
        } else {
            throw TemplateError(QStringLiteral("unknown class \"%1\"").arg(kind));
        }
        if (auto* label = dynamic_cast<TPRCustomLabel*>(item.get())) {
            label->SetFontSize(static_cast<float>(e.value(QStringLiteral("font")).toDouble(10)));
            label->FontBold = e.value(QStringLiteral("bold")).toBool(false);
            label->SetFontColor(Colour(e.value(QStringLiteral("color")), 0));
        }
        const QString role = Expand(e.value(QStringLiteral("role")).toString(), vars);
        item->Name = e.contains(QStringLiteral("name")) ? e.value(QStringLiteral("name")).toString()
                                                        : QStringLiteral("PR") + kind + page + role;
        item->Left = Number(e.value(QStringLiteral("left")), vars, 0);
        item->Top = Number(e.value(QStringLiteral("top")), vars, 0);
        item->Width = Number(e.value(QStringLiteral("width")), vars, item->Width);
        item->Height = Number(e.value(QStringLiteral("height")), vars, item->Height);
        item->Printable = e.value(QStringLiteral("printable")).toBool(true);
        panel.Add(std::move(item));
    }

    QString folder_;
};

}  // namespace

std::unique_ptr<TPRPage> LoadSlipTemplate(const QString& path, TSlipTemplateVars* vars) {
    Loader loader(QFileInfo(path).path() + QLatin1Char('/'));
    const QJsonObject file = loader.Read(path);
    try {
        Vars own;
        QJsonArray components;
        loader.Collect(file, own, components);
        const QString name = file.value(QStringLiteral("page")).toString();
        auto page = std::make_unique<TPRPage>();
        page->Name = QStringLiteral("PRPage") + name;
        page->Width = Number(file.value(QStringLiteral("width")), own, page->Width);
        page->Height = Number(file.value(QStringLiteral("height")), own, page->Height);
        auto panel = std::make_unique<TPRLayoutPanel>();
        panel->Name = QStringLiteral("PRLayoutPanel") + name;
        // A panel set in by "panelLeft" on both sides centres what is centred on it.
        panel->Left = Number(file.value(QStringLiteral("panelLeft")), own, 0);
        panel->Width = page->Width - 2 * panel->Left;
        panel->Height = page->Height;
        TPRLayoutPanel* layout = page->Add(std::move(panel));
        loader.AddAll(*layout, components, own, name);
        if (vars != nullptr) {
            *vars = own;
        }
        return page;
    } catch (const TemplateError& error) {
        throw EFileFormatError(
            QStringLiteral("%1: %2").arg(path, QString::fromStdString(error.what())));
    }
}
