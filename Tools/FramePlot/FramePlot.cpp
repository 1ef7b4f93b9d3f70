// Plots the frame_ms column of one or more demo harness CSV files against the
// tick, one coloured line per file, with the 20 ms tick interval marked.
//   frame_plot OUT.png LABEL=FILE.csv [LABEL=FILE.csv]...
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <algorithm>
#include <iostream>
#include <vector>

namespace {

const int width = 900, height = 420;
const int left = 60, right = 20, top = 30, bottom = 40; // margins in pixels
const double intervalMs = 20.0;

struct Series
{
    QString label;
    std::vector<double> frameMs; // one per tick, in file order
};

// Reads the column named frame_ms; false when the file or the column is missing.
bool ReadSeries(const QString& path, Series& series)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
    const int column = in.readLine().split(',').indexOf("frame_ms");
    if (column < 0)
        return false;
    while (!in.atEnd()) {
        const QStringList fields = in.readLine().split(',');
        bool ok = false;
        const double value = column < fields.size() ? fields[column].toDouble(&ok) : 0.0;
        if (ok)
            series.frameMs.push_back(value);
    }
    return true;
}

void DrawAxes(QPainter& p, std::size_t ticks, double maxMs)
{
    const QRect plot(left, top, width - left - right, height - top - bottom);
    p.setPen(Qt::black);
    p.drawRect(plot);
    for (int k = 0; k <= 4; ++k) {
        const double ms = maxMs * k / 4.0;
        const int y = plot.bottom() - static_cast<int>(plot.height() * k / 4.0);
        p.drawText(QRect(0, y - 8, left - 6, 16), Qt::AlignRight | Qt::AlignVCenter, QString::number(ms, 'f', 0));
    }
    p.drawText(QRect(plot.left(), plot.bottom() + 6, plot.width(), 16), Qt::AlignCenter,
               QString("tick (1..%1)").arg(ticks));
    p.drawText(QRect(0, 4, width, 20), Qt::AlignCenter, "frame time (tick + render + glFinish), ms");
    const int y20 = plot.bottom() - static_cast<int>(plot.height() * intervalMs / maxMs);
    p.setPen(QPen(Qt::darkGreen, 1, Qt::DashLine));
    p.drawLine(plot.left(), y20, plot.right(), y20);
}

void DrawSeries(QPainter& p, const Series& s, std::size_t ticks, double maxMs, QColor colour, int row)
{
    const QRect plot(left, top, width - left - right, height - top - bottom);
    p.setPen(QPen(colour, 1));
    QPointF previous;
    for (std::size_t i = 0; i < s.frameMs.size(); ++i) {
        const QPointF point(plot.left() + plot.width() * double(i) / std::max<std::size_t>(ticks - 1, 1),
                            plot.bottom() - plot.height() * std::min(s.frameMs[i], maxMs) / maxMs);
        if (i > 0)
            p.drawLine(previous, point);
        previous = point;
    }
    p.drawText(plot.left() + 8, plot.top() + 16 + 16 * row, s.label);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen"); // text needs fonts, not a display
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::cerr << "usage: frame_plot OUT.png LABEL=FILE.csv [LABEL=FILE.csv]..." << std::endl;
        return 2;
    }
    std::vector<Series> all;
    for (int i = 2; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const int eq = arg.indexOf('=');
        Series s;
        s.label = eq < 0 ? arg : arg.left(eq);
        if (!ReadSeries(eq < 0 ? arg : arg.mid(eq + 1), s)) {
            std::cerr << "frame_plot: cannot read frame_ms from " << argv[i] << std::endl;
            return 1;
        }
        all.push_back(s);
    }
    std::size_t ticks = 1;
    double maxMs = 2.0 * intervalMs;
    for (const Series& s : all) {
        ticks = std::max(ticks, s.frameMs.size());
        for (double ms : s.frameMs)
            maxMs = std::max(maxMs, ms);
    }
    maxMs = std::min(maxMs, 400.0); // a start-up spike would flatten the rest
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    DrawAxes(p, ticks, maxMs);
    const QColor colours[] = {Qt::red, Qt::blue, Qt::darkMagenta, Qt::darkCyan};
    for (std::size_t k = 0; k < all.size(); ++k)
        DrawSeries(p, all[k], ticks, maxMs, colours[k % 4], static_cast<int>(k));
    p.end();
    return image.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
