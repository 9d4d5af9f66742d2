#include "roster/SampleNames.h"

#include <array>

namespace {

constexpr std::array<SampleName, SampleNames::Count> Names{{
    {"Emma", "Hayes"},
    {"Oscar", "Lowry"},
    {"Ruth", "Dunmore"},
    {"Matilda Jane", "Ashford"},
    {"Henry", "Farrington-Blythe"},
    {"Isla", "Whitlock"},
    {"Ned", "Harlow"},
    {"Freya", "Merriam"},
    {"Alice", "Lowry"},
    {"Lily Clemence", "Ravensworth-Quayle"},
}};

std::uint32_t cursor = 0;

}  // namespace

const SampleName& SampleNames::At(std::uint32_t index) { return Names[index % Count]; }

const SampleName& SampleNames::Next() {
  const SampleName& name = Names[cursor];
  cursor = (cursor + 1) % Count;
  return name;
}

std::uint32_t SampleNames::NameCursor() { return cursor; }
