#pragma once
// A temporary work directory, the platform doubles, and a review window
// stand-in that counts how often it was hidden.
#include <gtest/gtest.h>
#include <string>

#include "platform/doubles/fakeplatform.h"
#include "results/resultsview.h"
#include "review/countedrows.h"
#include "review/reviewlist.h"
#include "support/files.h"
#include "support/tempdir.h"

namespace orvik::test {

// A row as the review holds it after the stock pass, every cell filled with
// a text that names its column, then the code and the count set.
inline ReviewRow fullRow(const std::string& code, const std::string& counted) {
    ReviewRow row;
    for (int column = 0; column < kReviewColumnCount; ++column)
        row[static_cast<std::size_t>(column)] = "c" + std::to_string(column);
    row[colTuote] = code;
    row[colLukija] = counted;
    return row;
}

inline ReviewList listOf(std::initializer_list<ReviewRow> rows) {
    ReviewList list;
    list.rows = rows;
    return list;
}

class ResultsTest : public ::testing::Test {
protected:
    TempDir dir;
    FakePlatform fakes;
    struct CountingView : ResultsView {
        int hides = 0;
        void hideWindow() override { ++hides; }
    };
    CountingView window;
    int& hides = window.hides;

    std::string file(const std::string& name) const { return readFile(dir / name); }
    void put(const std::string& name, const std::string& bytes) const {
        writeFile(dir / name, bytes);
    }

    void expectWindowStaysOpen() const {
        EXPECT_EQ(hides, 0);
        EXPECT_FALSE(fakes.programEnd.ended());
    }
    void expectProgramEndedHidden() const {
        EXPECT_EQ(hides, 1);
        EXPECT_EQ(fakes.programEnd.endCalls, 1);
    }
};

} // namespace orvik::test
