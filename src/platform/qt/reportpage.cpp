#include "platform/qt/reportpage.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPrinter>

#include "platform/qt/qtext.h"

namespace orvik {

QFont reportFont(const std::string& face, int points) {
    const QString family = toQString(face);
    // hasFamily, not the family list: where two makers ship a family the list
    // names it only with its maker ("Courier New [Monotype]").
    if (QFontDatabase::hasFamily(family)) {
        QFont font(family, points);
        font.setStyleHint(QFont::TypeWriter);
        return font;
    }
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(points);
    return fixed;
}

QPageLayout::Orientation pageOrientation(PageOrientation orientation) {
    return orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                     : QPageLayout::Portrait;
}

std::vector<std::size_t> pageStarts(std::size_t lineCount, int lineHeight, int lineSpacing,
                                    int pageHeight) {
    std::vector<std::size_t> starts{0};
    int top = 0;
    for (std::size_t line = 0; line < lineCount; ++line) {
        if (top > 0 && top + lineHeight > pageHeight) {
            starts.push_back(line);
            top = 0;
        }
        top += lineSpacing;
    }
    return starts;
}

qreal reportPitch(const QFont& font, QPrinter& printer) {
    return QFontMetricsF(font, &printer).horizontalAdvance(QLatin1Char('0'));
}

} // namespace orvik
