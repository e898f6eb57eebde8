// A slip-sized job for the PDF writer: 30 pages, each with about 60 text runs of mixed
// Japanese and ASCII, 40 rectangles and one picture, written to memory. Qt's QPdfWriter
// draws the same content as the reference.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <memory>
#include <string>
#include <vector>

#include "TPdfBitmap.h"
#include "TPdfBitmapImage.h"
#include "TPdfDoc.h"

namespace {

constexpr int kPages = 30;
constexpr int kTextRuns = 60;
constexpr int kRectangles = 40;
constexpr int kImageWidth = 160;
constexpr int kImageHeight = 80;
constexpr float kPageHeight = 842;

struct TextRun {
    QString text;
    std::string sjis;
    const char* font;  // writer font name
    bool bold;
    float x, top, width;
};

std::string ToSjis(const QString& text) {
    QByteArray utf8 = text.toUtf8();
    iconv_t handle = iconv_open("CP932", "UTF-8");
    std::string out(static_cast<std::size_t>(utf8.size()) * 2 + 1, '\0');
    char* in = utf8.data();
    std::size_t inLeft = static_cast<std::size_t>(utf8.size());
    char* to = out.data();
    std::size_t outLeft = out.size();
    iconv(handle, &in, &inLeft, &to, &outLeft);
    iconv_close(handle);
    out.resize(out.size() - outLeft);
    return out;
}

const std::vector<TextRun>& Runs() {
    static const std::vector<TextRun> runs = [] {
        const QStringList samples = {
            QStringLiteral("御見積書"),           QStringLiteral("株式会社ヘストレル 御中"),
            QStringLiteral("品名: A4コピー用紙"), QStringLiteral("数量 12 箱"),
            QStringLiteral("単価 ¥3,480"),        QStringLiteral("ﾊﾝｶｸｶﾅ ﾃｽﾄ"),
            QStringLiteral("Total 41,760"),       QStringLiteral("備考: 納期は受注後 5 営業日"),
        };
        const char* fonts[] = {"Gothic", "Gothic,Bold", "Arial"};
        std::vector<TextRun> list;
        for (int i = 0; i < kTextRuns; ++i) {
            const QString& text = samples[i % samples.size()];
            const char* font = fonts[i % 3];
            if (font == std::string("Arial")) {
                list.push_back({QStringLiteral("No. %1 Subtotal 12,345").arg(i),
                                ToSjis(QStringLiteral("No. %1 Subtotal 12,345").arg(i)), font,
                                false, 0, 0, 0});
            } else {
                list.push_back(
                    {text, ToSjis(text), font, font == std::string("Gothic,Bold"), 0, 0, 0});
            }
            list.back().x = 40 + static_cast<float>(i % 2) * 260;
            list.back().top = 60 + static_cast<float>(i / 2) * 24;
            list.back().width = 240;
        }
        return list;
    }();
    return runs;
}

pdf::TPdfBitmap MakeBitmap() {
    pdf::TPdfBitmap bitmap(kImageWidth, kImageHeight, pdf::TPdfPixelFormat::pf24bit);
    for (int y = 0; y < kImageHeight; ++y) {
        auto row = bitmap.Row(y);
        for (int x = 0; x < kImageWidth; ++x) {
            row[3 * static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(x);
            row[3 * static_cast<std::size_t>(x) + 1] = static_cast<std::uint8_t>(y * 3);
            row[3 * static_cast<std::size_t>(x) + 2] = 0xC0;
        }
    }
    return bitmap;
}

QImage MakeQImage() {
    QImage image(kImageWidth, kImageHeight, QImage::Format_RGB888);
    for (int y = 0; y < kImageHeight; ++y) {
        for (int x = 0; x < kImageWidth; ++x) {
            image.setPixel(x, y, qRgb(0xC0, y * 3, x));
        }
    }
    return image;
}

void WriterDocument(benchmark::State& state) {
    const auto& runs = Runs();
    const pdf::TPdfBitmap bitmap = MakeBitmap();
    std::size_t bytes = 0;
    for (auto _ : state) {
        pdf::TPdfDoc doc;
        doc.SetClock([] { return pdf::TPdfDateTime{2010, 7, 8, 10, 21, 41}; });
        doc.StartDocument();
        for (int page = 0; page < kPages; ++page) {
            doc.AddPage();
            pdf::TPdfCanvas& canvas = doc.GetCanvas();
            if (page == 0) {
                doc.AddImage("Seal", pdf::TPdfBitmapImage().CreateImage(bitmap));
            }
            for (const TextRun& run : runs) {
                canvas.SetFont(run.font, 10);
                canvas.SetFillRGB(0x000000);
                canvas.TextRect(pdf::MakeFloatRect(run.x, kPageHeight - run.top, run.x + run.width,
                                                   kPageHeight - run.top - 14),
                                run.sjis, pdf::TAlignment::taLeftJustify, false);
            }
            for (int r = 0; r < kRectangles; ++r) {
                canvas.SetStrokeRGB(0x800000);
                canvas.SetLineWidth(0.5F);
                canvas.Rectangle(30, kPageHeight - 60 - static_cast<float>(r) * 18, 535, 18);
                canvas.Stroke();
            }
            canvas.DrawXObject(420, 40, 80, 40, "Seal");
        }
        pdf::TPdfMemoryStream stream;
        doc.SaveToStream(stream);
        bytes = stream.Data().size();
        benchmark::DoNotOptimize(stream.Data().data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

void EnsureGuiApplication() {
    static std::unique_ptr<QGuiApplication> app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "pdf_bench";
        static char* argv[] = {name, nullptr};
        return std::make_unique<QGuiApplication>(argc, argv);
    }();
}

void QtDocument(benchmark::State& state) {
    EnsureGuiApplication();
    const auto& runs = Runs();
    const QImage image = MakeQImage();
    QFont gothic(QStringLiteral("IPAGothic"), 10);
    QFont gothicBold = gothic;
    gothicBold.setBold(true);
    QFont helvetica(QStringLiteral("Nimbus Sans"), 10);
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(72);
        QPainter painter(&writer);
        for (int page = 0; page < kPages; ++page) {
            if (page > 0) {
                writer.newPage();
            }
            for (const TextRun& run : runs) {
                painter.setFont(run.font == std::string("Arial") ? helvetica
                                : run.bold                       ? gothicBold
                                                                 : gothic);
                painter.setPen(Qt::black);
                painter.drawText(QRectF(run.x, run.top, run.width, 14), Qt::AlignLeft, run.text);
            }
            painter.setPen(QPen(QColor(0, 0, 0x80), 0.5));
            for (int r = 0; r < kRectangles; ++r) {
                painter.drawRect(QRectF(30, 60 + r * 18, 535, 18));
            }
            painter.drawImage(QRectF(420, kPageHeight - 80, 80, 40), image);
        }
        painter.end();
        bytes = buffer.size();
        benchmark::DoNotOptimize(buffer.data().data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

}  // namespace

BENCHMARK(WriterDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(QtDocument)->Unit(benchmark::kMillisecond);
