#include "xml/arena.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace texttoxml::xml {
namespace {

struct Piece {
  unsigned char* at;
  std::size_t size;
};

// Small and large requests of every alignment, across many blocks: each
// piece is aligned as asked and keeps its own bytes while the others are
// written.
TEST(Arena, PiecesAreAlignedAndNeverOverlap) {
  Arena arena;
  std::vector<Piece> pieces;
  const std::size_t sizes[] = {1, 3, 8, 40, 72, 4096, 100000, 700000, 3 * 1024 * 1024};
  for (int round = 0; round < 40; ++round) {
    for (std::size_t size : sizes) {
      const std::size_t alignment = std::size_t{1} << (pieces.size() % 5);  // 1 to 16
      auto* at = static_cast<unsigned char*>(arena.Allocate(size, alignment));
      EXPECT_EQ(reinterpret_cast<std::uintptr_t>(at) % alignment, 0u);
      std::memset(at, static_cast<int>(pieces.size() % 251), size);
      pieces.push_back({at, size});
    }
  }
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const Piece& piece = pieces[i];
    const auto value = static_cast<unsigned char>(i % 251);
    ASSERT_EQ(piece.at[0], value) << i;
    ASSERT_EQ(piece.at[piece.size / 2], value) << i;
    ASSERT_EQ(piece.at[piece.size - 1], value) << i;
  }
}

TEST(Arena, NewConstructsInPlace) {
  struct Pair {
    int a;
    double b;
  };
  Arena arena;
  Pair& pair = arena.New<Pair>(Pair{7, 2.5});
  EXPECT_EQ(pair.a, 7);
  EXPECT_EQ(pair.b, 2.5);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(&pair) % alignof(Pair), 0u);
}

// What came before the mark keeps its bytes; what came after is carved
// again from the same memory, over several blocks and large requests.
TEST(Arena, RewindReusesTheMemoryAfterTheMark) {
  Arena arena;
  auto* kept = static_cast<unsigned char*>(arena.Allocate(1000));
  std::memset(kept, 7, 1000);
  const Arena::Mark mark = arena.Here();
  std::vector<void*> first;
  for (int round = 0; round < 3; ++round) {
    std::vector<void*> pieces;
    for (int i = 0; i < 2000; ++i) {
      pieces.push_back(arena.Allocate(i % 7 == 0 ? 600000 : 700, 8));
      std::memset(pieces.back(), round, i % 7 == 0 ? 600000 : 700);
    }
    if (round == 0) first = pieces;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      if (i % 7 == 0) continue;  // a large request: its own block, freed on Rewind
      ASSERT_EQ(pieces[i], first[i]) << i;
    }
    arena.Rewind(mark);
  }
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(kept[i], 7) << i;
}

}  // namespace
}  // namespace texttoxml::xml
