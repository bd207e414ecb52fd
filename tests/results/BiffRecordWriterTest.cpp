#include "results/BiffRecordWriter.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace quillon::results {
namespace {

constexpr std::uint16_t kSst = 0x00FC;
constexpr std::size_t kMax = BiffRecordWriter::kMaxRecordData;

struct Record {
  std::uint16_t type;
  std::string payload;
};

// Splits a stream at the lengths its record headers give.
std::vector<Record> recordsOf(const std::string& stream) {
  const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(stream.at(at)); };
  std::vector<Record> records;
  for (std::size_t at = 0; at < stream.size();) {
    const auto type = static_cast<std::uint16_t>(byte(at) | byte(at + 1) << 8);
    const std::size_t length = byte(at + 2) | byte(at + 3) << 8;
    records.push_back({type, stream.substr(at + 4, length)});
    at += 4 + length;
  }
  return records;
}

TEST(BiffRecordWriterTest, ClosingARecordWritesItsLengthBeforeItsLittleEndianPayload) {
  BiffRecordWriter b;
  b.begin(0x0809);
  b.u8(0x01);
  b.u16(0x0600);
  b.u32(0x0A0B0C0D);
  b.f64(1.0);
  b.end();
  b.record16(0x0042, 0x04B0);
  b.empty(0x000A);
  EXPECT_EQ(b.take(), std::string("\x09\x08\x0F\x00"
                                  "\x01\x00\x06\x0D\x0C\x0B\x0A"
                                  "\x00\x00\x00\x00\x00\x00\xF0\x3F"
                                  "\x42\x00\x02\x00\xB0\x04"
                                  "\x0A\x00\x00\x00",
                                  29));
}

TEST(BiffRecordWriterTest, CharactersPastAFullRecordGoOnInAContinueRecordAfterTheFlags) {
  BiffRecordWriter b;
  b.begin(kSst);
  b.bytes(std::string(kMax - 4, 'h'));
  b.characters(u"abcdefghij", false);
  b.end();
  const auto records = recordsOf(b.take());
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].type, kSst);
  EXPECT_EQ(records[0].payload, std::string(kMax - 4, 'h') + "abcd");
  EXPECT_EQ(records[1].type, BiffRecordWriter::kContinue);
  EXPECT_EQ(records[1].payload, std::string("\x00", 1) + "efghij");
}

TEST(BiffRecordWriterTest, ATwoByteCharacterIsNeverSplitAcrossRecords) {
  BiffRecordWriter b;
  b.begin(kSst);
  b.bytes(std::string(kMax - 3, 'h'));  // room for one character and one byte
  b.characters(u"\u0152\u0153", true);
  b.end();
  const auto records = recordsOf(b.take());
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].payload, std::string(kMax - 3, 'h') + "\x52\x01");
  EXPECT_EQ(records[1].type, BiffRecordWriter::kContinue);
  EXPECT_EQ(records[1].payload, std::string("\x01\x53\x01", 3));
}

TEST(BiffRecordWriterTest, CharactersThatEndARecordExactlyOpenNoContinueRecord) {
  BiffRecordWriter b;
  b.begin(kSst);
  b.bytes(std::string(kMax - 3, 'h'));
  b.characters(u"xyz", false);
  EXPECT_EQ(b.room(), 0u);
  b.end();
  const auto records = recordsOf(b.take());
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].payload.size(), kMax);
}

TEST(BiffRecordWriterTest, KeepTogetherContinuesOnlyWhenTheValueWouldNotFit) {
  BiffRecordWriter b;
  b.begin(kSst);
  b.bytes(std::string(kMax - 4, 'h'));
  b.keepTogether(4);
  EXPECT_EQ(b.recordStart(), 0u);
  b.keepTogether(5);
  EXPECT_EQ(b.recordStart(), kMax);
  EXPECT_EQ(b.room(), kMax);
  b.u8(7);
  b.end();
  const auto records = recordsOf(b.take());
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].payload.size(), kMax - 4);
  EXPECT_EQ(records[1].type, BiffRecordWriter::kContinue);
  EXPECT_EQ(records[1].payload, "\x07");
}

TEST(BiffRecordWriterTest, PutAtFillsInAPlaceholderLater) {
  BiffRecordWriter b;
  b.begin(0x0085);
  const std::size_t at = b.size();
  b.u32(0);
  b.end();
  b.put32At(at, 0x01020304);
  EXPECT_EQ(b.take(), std::string("\x85\x00\x04\x00\x04\x03\x02\x01", 8));
}

}  // namespace
}  // namespace quillon::results
