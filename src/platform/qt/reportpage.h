#pragma once
// What the printer path and the PDF path of a report share: the document as
// collected, its font, its paper's orientation, its page breaks and the
// pitch of its characters.
#include <QPageLayout>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/printingservice.h"

class QFont;
class QPrinter;

namespace orvik {

struct ReportDocument {
    std::string name;
    PageOrientation orientation = PageOrientation::Portrait;
    std::string face = "Courier New";
    int points = 10;
    std::vector<std::string> lines;
};

// The font for a report: the face asked for, or the system's fixed-pitch
// font at the same size when the machine lacks it. A machine with no
// fixed-pitch face at all may give a proportional one; the lines are laid out
// at one pitch all the same, so their columns line up.
QFont reportFont(const std::string& face, int points);

QPageLayout::Orientation pageOrientation(PageOrientation orientation);

// Where pages begin among `lineCount` lines: a line that no longer fits
// below the lines above it starts a new page. Heights in device pixels.
std::vector<std::size_t> pageStarts(std::size_t lineCount, int lineHeight, int lineSpacing,
                                    int pageHeight);

// From one character of a report line to the next, in the printer's pixels:
// a digit's width, which is every character's in a fixed-pitch face.
qreal reportPitch(const QFont& font, QPrinter& printer);

} // namespace orvik
