#include "qt/records_chart.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace koropika {
namespace {

const QColor kPlayerColour(40, 110, 200);
const QColor kComputerColour(200, 70, 50);

QString percentText(const std::optional<WinRateChart::Bar>& bar) {
    return bar ? QString::number(bar->percent, 'f', 1) + " %"
               : QCoreApplication::translate("WinRateChart", "なし");
}

}  // namespace

WinRateChart::WinRateChart(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QCoreApplication::translate("WinRateChart", "レベルごとの勝率のグラフ"));
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void WinRateChart::setBars(const Bars& player, const Bars& computer) {
    player_ = player;
    computer_ = computer;
    // A screen reader reads the figures the bars show.
    QStringList lines;
    for (std::size_t level = 0; level < player_.size(); ++level) {
        QString yours = percentText(player_[level]);
        if (player_[level]) {
            yours += QStringLiteral(" ±%1").arg(player_[level]->error, 0, 'f', 1);
        }
        lines << QCoreApplication::translate("WinRateChart",
                                             "レベル %1: あなた %2、コンピュータ %3")
                     .arg(level + 1)
                     .arg(yours, percentText(computer_[level]));
    }
    setAccessibleDescription(lines.join(QCoreApplication::translate("WinRateChart", "。")));
    update();
}

void WinRateChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics = fontMetrics();
    const int lineHeight = metrics.height();

    // The plot: percentages up the left, levels along the bottom, the legend at the top.
    const QRect plot = rect().adjusted(metrics.horizontalAdvance(QStringLiteral("100 %")) + 10,
                                       lineHeight * 2 + 4, -10, -(lineHeight + 8));
    if (plot.width() < 60 || plot.height() < 40) {
        return;
    }
    auto yOf = [&](double percent) {
        return plot.bottom() - int(std::clamp(percent, 0.0, 100.0) / 100.0 * plot.height());
    };

    painter.setPen(palette().color(QPalette::Mid));
    for (int percent = 0; percent <= 100; percent += 25) {
        const int y = yOf(percent);
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRect(0, y - lineHeight / 2, plot.left() - 6, lineHeight),
                         Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1 %").arg(percent));
        painter.setPen(palette().color(QPalette::Mid));
    }

    const double slot = plot.width() / 6.0;
    const int barWidth = std::max(4, int(slot * 0.3));
    for (int level = 0; level < 6; ++level) {
        const int centre = plot.left() + int(slot * (level + 0.5));
        painter.setPen(palette().color(QPalette::Text));
        // "レベル n" where it fits under its bars, else the number alone.
        const QString named =
            QCoreApplication::translate("WinRateChart", "レベル %1").arg(level + 1);
        const QString label =
            metrics.horizontalAdvance(named) <= int(slot) - 4 ? named : QString::number(level + 1);
        painter.drawText(QRect(centre - int(slot / 2), plot.bottom() + 4, int(slot), lineHeight),
                         Qt::AlignCenter, label);
        if (const auto& bar = player_[std::size_t(level)]) {
            const QRect box(centre - barWidth - 1, yOf(bar->percent), barWidth,
                            plot.bottom() - yOf(bar->percent));
            painter.fillRect(box, kPlayerColour);
            // The ±1 standard error whisker.
            const int x = box.center().x();
            const int top = yOf(bar->percent + bar->error);
            const int bottom = yOf(bar->percent - bar->error);
            painter.setPen(QPen(palette().color(QPalette::Text), 1.5));
            painter.drawLine(x, top, x, bottom);
            painter.drawLine(x - 4, top, x + 4, top);
            painter.drawLine(x - 4, bottom, x + 4, bottom);
        }
        if (const auto& bar = computer_[std::size_t(level)]) {
            painter.fillRect(
                QRect(centre + 1, yOf(bar->percent), barWidth, plot.bottom() - yOf(bar->percent)),
                kComputerColour);
        }
    }
    painter.setPen(palette().color(QPalette::Text));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());

    // The legend, one line for each kind of bar.
    int y = 2;
    for (const auto& [colour, caption] :
         {std::pair{kPlayerColour,
                    QCoreApplication::translate("WinRateChart", "あなたの勝率 (±1 標準誤差)")},
          std::pair{kComputerColour,
                    QCoreApplication::translate(
                        "WinRateChart", "コンピュータの勝率 (すべてを覚えている相手に対して)")}}) {
        painter.fillRect(QRect(plot.left(), y + 2, lineHeight - 4, lineHeight - 4), colour);
        painter.drawText(QPoint(plot.left() + lineHeight, y + metrics.ascent()), caption);
        y += lineHeight;
    }
}

}  // namespace koropika
