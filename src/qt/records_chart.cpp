#include "qt/records_chart.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace koropika {
namespace {

// The player's bars, then the two scripted players' bars, the random one lighter.
const std::array<QColor, 3> kColours = {QColor(40, 110, 200), QColor(200, 70, 50),
                                        QColor(236, 170, 160)};
constexpr int kMargin = 8;
// A bar of 0 % is still this high above the axis, in the bar's colour.
constexpr int kLeastMark = 4;

QString caption(std::size_t series) {
    switch (series) {
        case 0:
            return QCoreApplication::translate("WinRateChart", "あなたの勝率 (縦線は ±1 標準誤差)");
        case 1:
            return QCoreApplication::translate(
                "WinRateChart", "一度見たカードを忘れないプレーヤーの勝率 (同じレベルとカード数)");
        default:
            return QCoreApplication::translate("WinRateChart", "でたらめにめくるプレーヤーの勝率");
    }
}

QString percentText(double percent) {
    return QString::number(percent, 'f', 1) + QStringLiteral(" %");
}

QString rateText(const std::optional<double>& percent) {
    return percent ? percentText(*percent) : QCoreApplication::translate("WinRateChart", "なし");
}

// "3 回中 1 勝": the finished rounds and the won ones.
QString countText(const records::RoundStats& stats) {
    return QCoreApplication::translate("WinRateChart", "%1回中%2勝")
        .arg(stats.finished())
        .arg(stats.won);
}

}  // namespace

QString winRateText(const records::RoundStats& stats) {
    const auto percent = stats.winPercent();
    if (!percent) {
        return QStringLiteral("－");
    }
    if (stats.finished() < kRoundsForError) {
        return percentText(*percent);
    }
    return percentText(*percent) + QStringLiteral(" ± %1").arg(*stats.winPercentError(), 0, 'f', 1);
}

QString winRateErrorNote(const records::RoundStats& stats) {
    return stats.finished() < kRoundsForError
               ? QString()
               : QCoreApplication::translate("WinRateChart", "± は 1 標準誤差です。");
}

WinRateChart::WinRateChart(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QCoreApplication::translate("WinRateChart", "レベルごとの勝率のグラフ"));
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void WinRateChart::setFigures(const PlayerFigures& player, const Rates& neverForgets,
                              const Rates& random) {
    player_ = player;
    neverForgets_ = neverForgets;
    random_ = random;
    // A screen reader reads the figures the bars show.
    QStringList lines;
    for (int level = 0; level < 6; ++level) {
        lines << describe(level);
    }
    setAccessibleDescription(lines.join(QCoreApplication::translate("WinRateChart", "。")));
    update();
}

QString WinRateChart::describe(int level) const {
    const records::RoundStats& stats = player_[std::size_t(level)];
    const QString yours = stats.finished() == 0
                              ? QCoreApplication::translate("WinRateChart", "なし")
                              : QStringLiteral("%1 (%2)").arg(winRateText(stats), countText(stats));
    return QCoreApplication::translate("WinRateChart",
                                       "レベル %1: あなた %2、忘れないプレーヤー %3、"
                                       "でたらめにめくるプレーヤー %4")
        .arg(QString::number(level + 1), yours, rateText(neverForgets_[std::size_t(level)]),
             rateText(random_[std::size_t(level)]));
}

WinRateChart::Layout WinRateChart::layout() const {
    const QFontMetrics metrics = fontMetrics();
    const int line = metrics.height();
    Layout at;
    // The legend on top, each caption wrapped to the width beside its colour.
    const int textLeft = kMargin + line + 2;
    const int textWidth = std::max(40, width() - textLeft - kMargin);
    int y = 4;
    for (std::size_t series = 0; series < at.captions.size(); ++series) {
        const QRect room(textLeft, y, textWidth, 100 * line);
        at.captions[series] =
            QRect(room.topLeft(),
                  QSize(textWidth,
                        metrics.boundingRect(room, Qt::TextWordWrap, caption(series)).height()));
        y = at.captions[series].bottom() + 3;
    }
    // Below it the plot: the label of its 100 % line reaches half a line above that line, so a
    // whole line's gap keeps it off the legend. Under the plot go two lines: the levels and the
    // rounds each of the player's bars rests on.
    const int left = metrics.horizontalAdvance(QStringLiteral("100 %")) + 10;
    at.plot = QRect(QPoint(left, y + line), QPoint(width() - 11, height() - 2 * line - 9));
    at.slot = at.plot.width() / 6.0;
    return at;
}

void WinRateChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics = fontMetrics();
    const int line = metrics.height();
    const QColor text = palette().color(QPalette::Text);
    const Layout at = layout();

    painter.setPen(text);
    for (std::size_t series = 0; series < at.captions.size(); ++series) {
        const QRect& room = at.captions[series];
        painter.fillRect(QRect(kMargin, room.top() + 2, line - 4, line - 4), kColours[series]);
        painter.drawText(room, Qt::TextWordWrap, caption(series));
    }

    const QRect plot = at.plot;
    if (plot.width() < 60 || plot.height() < 40) {
        return;
    }
    auto yOf = [&](double percent) {
        return plot.bottom() -
               int(std::lround(std::clamp(percent, 0.0, 100.0) / 100.0 * plot.height()));
    };
    for (int percent = 0; percent <= 100; percent += 25) {
        const int y = yOf(percent);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(text);
        painter.drawText(QRect(0, y - line / 2, plot.left() - 6, line),
                         Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1 %").arg(percent));
    }
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());

    QFont countFont = font();
    if (countFont.pointSizeF() > 0) {
        countFont.setPointSizeF(countFont.pointSizeF() * 0.85);
    } else {
        countFont.setPixelSize(std::max(6, countFont.pixelSize() * 85 / 100));
    }
    const int barWidth = std::max(4, int(at.slot * 0.22));
    // Drawn over the axis, so that a bar of 0 % shows in its own colour.
    auto drawBar = [&](int left, double percent, const QColor& colour) {
        const int top = std::min(yOf(percent), plot.bottom() - kLeastMark);
        painter.fillRect(QRect(left, top, barWidth, plot.bottom() + 1 - top), colour);
    };
    for (int level = 0; level < 6; ++level) {
        const auto index = std::size_t(level);
        const int centre = plot.left() + int(at.slot * (level + 0.5));
        const QRect below(centre - int(at.slot / 2), plot.bottom() + 4, int(at.slot), line);
        painter.setPen(text);
        // "レベル n" where it fits under its bars, else the number alone.
        const QString named =
            QCoreApplication::translate("WinRateChart", "レベル %1").arg(level + 1);
        painter.drawText(below, Qt::AlignCenter,
                         metrics.horizontalAdvance(named) <= below.width() - 4
                             ? named
                             : QString::number(level + 1));

        const int first = centre - (3 * barWidth + 4) / 2;
        const records::RoundStats& stats = player_[index];
        if (stats.finished() > 0) {
            // The count in a smaller size, to fit under the bars; where it cannot, "won/played".
            painter.setFont(countFont);
            const QString count = countText(stats);
            painter.drawText(below.translated(0, line), Qt::AlignCenter,
                             QFontMetrics(countFont).horizontalAdvance(count) <= below.width() - 2
                                 ? count
                                 : QStringLiteral("%1/%2").arg(stats.won).arg(stats.finished()));
            painter.setFont(font());
            const double percent = *stats.winPercent();
            drawBar(first, percent, kColours[0]);
            const double error = *stats.winPercentError();
            if (stats.finished() >= kRoundsForError && error > 0) {
                // The ±1 standard error whisker.
                const int x = first + barWidth / 2;
                const int top = yOf(percent + error);
                const int bottom = yOf(percent - error);
                painter.setPen(QPen(text, 1.5));
                painter.drawLine(x, top, x, bottom);
                painter.drawLine(x - 4, top, x + 4, top);
                painter.drawLine(x - 4, bottom, x + 4, bottom);
            }
        }
        if (const auto& rate = neverForgets_[index]) {
            drawBar(first + barWidth + 2, *rate, kColours[1]);
        }
        if (const auto& rate = random_[index]) {
            drawBar(first + 2 * (barWidth + 2), *rate, kColours[2]);
        }
    }
}

bool WinRateChart::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return QWidget::event(event);
    }
    // Over a level's bars or the labels under them: every figure of that level.
    const auto* help = static_cast<QHelpEvent*>(event);
    const QPoint pointer = help->pos();
    const Layout at = layout();
    if (at.slot <= 0 || pointer.x() < at.plot.left() || pointer.x() > at.plot.right() ||
        pointer.y() < at.plot.top()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    const int level = std::clamp(int((pointer.x() - at.plot.left()) / at.slot), 0, 5);
    QString tip = describe(level);
    if (const QString note = winRateErrorNote(player_[std::size_t(level)]); !note.isEmpty()) {
        tip += QLatin1Char('\n') + note;
    }
    QToolTip::showText(help->globalPos(), tip, this);
    return true;
}

}  // namespace koropika
