// Blocks of identifiers drawn at once (NextIds): the first value returned, the counter moved past
// the block, and the same refusals as a single draw.
#include "db/counters.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace lirma::db;

TEST(CounterBlocks, ABlockMovesTheCounterPastIt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Counters c(dir.filePath("Lirma.set"));
    EXPECT_EQ(c.NextIds(keys::IDDAT, 25), "1"); // 1 .. 25
    EXPECT_EQ(c.PeekId(keys::IDDAT), "26");
    EXPECT_EQ(c.NextId(keys::IDDAT), "26");
    EXPECT_EQ(c.NextIds(keys::IDDAT, 1), "27");
    EXPECT_EQ(c.PeekId(keys::IDDAT), "28");
    EXPECT_EQ(c.PeekId(keys::IDRES), "1"); // other counters untouched

    EXPECT_THROW(c.NextIds(keys::IDDAT, 0), CounterError);
    EXPECT_EQ(c.PeekId(keys::IDDAT), "28");
    ASSERT_TRUE(c.SetCounter(keys::IDDAT, "9223372036854775800"));
    EXPECT_THROW(c.NextIds(keys::IDDAT, 10), CounterError); // the successor would not fit
    EXPECT_EQ(c.PeekId(keys::IDDAT), "9223372036854775800");
    EXPECT_EQ(c.NextIds(keys::IDDAT, 7), "9223372036854775800");
}
