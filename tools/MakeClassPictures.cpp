// Makes a class of made-up photographs for trying layouts and measuring the renderer with
// pictures of a camera's size: COUNT distinct JPEG files (6000 x 4000 by default, quality 90)
// and a class list, class.csv, naming them.
//
//   make-class-pictures FOLDER [COUNT [WIDTH HEIGHT]]
#include <QImage>
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "ClassPortrait.h"
#include "JpegWriter.h"

namespace {

const char* const kFirstNames[] = {"Ada",   "Bram",  "Cleo", "Dario", "Elif",  "Finn",
                                   "Greta", "Hamid", "Ines", "Jonas", "Kaia",  "Lior",
                                   "Mira",  "Nils",  "Oona", "Pavel", "Quinn", "Rosa"};
const char* const kLastNames[] = {"Achterberg",  "Brennan",   "Castellano", "Dubois", "Eriksen",
                                  "Fairweather", "Gallo",     "Hartmann",   "Ivers",  "Jansen",
                                  "Kowalczyk",   "Lindqvist", "Moreau",     "Novak",  "Okafor"};

// A CSV field, quoted when it holds a separator, a quote or a line end.
std::string Field(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string FileName(int index) {
  std::string number = std::to_string(index + 1);
  return "class-" + std::string(number.size() < 2 ? 2 - number.size() : 0, '0') + number + ".jpg";
}

bool ReadNumber(const char* text, int low, int high, int& value) {
  char* end = nullptr;
  const long number = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || number < low || number > high) return false;
  value = static_cast<int>(number);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int count = 30;
  int width = 6000;
  int height = 4000;
  if ((argc != 2 && argc != 3 && argc != 5) || (argc >= 3 && !ReadNumber(argv[2], 1, 999, count)) ||
      (argc == 5 &&
       (!ReadNumber(argv[3], 8, 20000, width) || !ReadNumber(argv[4], 8, 20000, height)))) {
    std::cerr << "usage: make-class-pictures FOLDER [COUNT [WIDTH HEIGHT]]\n";
    return 2;
  }
  const std::string folder = argv[1];

  // Each picture is drawn and compressed on its own, so the cores share them out.
  std::atomic<int> next{0};
  std::atomic<bool> failed{false};
  const auto work = [&] {
    const JpegWriter writer(90, false);
    for (int i = next++; i < count && !failed; i = next++) {
      const QImage picture = ClassPortrait::Draw(width, height, 1000 + static_cast<unsigned>(i));
      std::string error;
      if (!writer.Write(picture, folder + "/" + FileName(i), error)) {
        std::cerr << "make-class-pictures: " << error << '\n';
        failed = true;
      }
    }
  };
  const unsigned threads = std::max(1u, std::min(std::thread::hardware_concurrency(), 8u));
  std::vector<std::jthread> helpers;
  for (unsigned t = 1; t < threads; ++t) helpers.emplace_back(work);
  work();
  helpers.clear();
  if (failed) return 1;

  std::ofstream list(folder + "/class.csv", std::ios::binary | std::ios::trunc);
  list << "FirstName,LastName,Picture,Main\r\n";
  for (int i = 0; i < count; ++i) {
    const std::string first = kFirstNames[(i * 7) % std::size(kFirstNames)];
    const std::string last = kLastNames[(i * 11 + i / 15) % std::size(kLastNames)];
    list << Field(first) << ',' << Field(last) << ',' << Field(FileName(i)) << ','
         << (i == 0 ? "1" : "") << "\r\n";
  }
  list.close();
  if (!list) {
    std::cerr << "make-class-pictures: Cannot write " << folder << "/class.csv\n";
    return 1;
  }
  return 0;
}
