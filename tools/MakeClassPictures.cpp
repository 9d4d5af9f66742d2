// Makes made-up photographs for trying layouts and measuring the program with pictures of a
// camera's size, in one of two forms:
//
//   make-class-pictures FOLDER [COUNT [WIDTH HEIGHT]]
//   make-class-pictures --school FOLDER [GROUPS [PUPILS]]
//   make-class-pictures --school FOLDER --pupils TOTAL
//
// The first writes COUNT distinct JPEG files (30 of 6000 x 4000 by default, quality 90) and a
// class list, class.csv, naming them. The second writes a whole school's picture day: the
// portrait index FOLDER/INDEX.TXT (see MadeUpSchool) and a 640 x 800 portrait of every pupil,
// teacher and member of staff under FOLDER/Images/Grade1 ... Grade8, Faculty and Staff; GROUPS
// groups of PUPILS pupils each (40 of 25 by default), or TOTAL pupils in groups of 25.
#include <QImage>
#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "ClassPortrait.h"
#include "JpegWriter.h"
#include "MadeUpSchool.h"

namespace {

const char* const kFirstNames[] = {"Ada",   "Bram",  "Cleo", "Dario", "Elif",  "Finn",
                                   "Greta", "Hamid", "Ines", "Jonas", "Kaia",  "Lior",
                                   "Mira",  "Nils",  "Oona", "Pavel", "Quinn", "Rosa"};
const char* const kLastNames[] = {"Achterberg",  "Brennan",   "Castellano", "Dubois", "Eriksen",
                                  "Fairweather", "Gallo",     "Hartmann",   "Ivers",  "Jansen",
                                  "Kowalczyk",   "Lindqvist", "Moreau",     "Novak",  "Okafor"};

constexpr const char* kUsage =
    "usage: make-class-pictures FOLDER [COUNT [WIDTH HEIGHT]]\n"
    "       make-class-pictures --school FOLDER [GROUPS [PUPILS]]\n"
    "       make-class-pictures --school FOLDER --pupils TOTAL\n";
constexpr int kPortraitWidth = 640;
constexpr int kPortraitHeight = 800;
constexpr int kGroupSize = 25;
constexpr const char* kSchoolName = "Hollybrook School";

// One picture to draw: where it goes and the seed that makes it differ from the others.
struct Picture {
  std::string Path;
  std::uint32_t Seed;
};

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

// Draws and compresses the pictures on every core (eight at most): each picture is made on its
// own, so the threads simply take the next one in turn. They are threads of Qt's global pool,
// since Qt then draws each picture on its own thread instead of splitting its scaling across
// the pool as well, which for small portraits costs more in waking threads than it saves.
bool DrawAll(const std::vector<Picture>& pictures, int width, int height) {
  std::atomic<std::size_t> next{0};
  std::atomic<bool> failed{false};
  const auto work = [&] {
    const JpegWriter writer(90, false);
    for (std::size_t i = next++; i < pictures.size() && !failed; i = next++) {
      const QImage picture = ClassPortrait::Draw(width, height, pictures[i].Seed);
      std::string error;
      if (!writer.Write(picture, pictures[i].Path, error)) {
        std::cerr << "make-class-pictures: " << error << '\n';
        failed = true;
      }
    }
  };
  QThreadPool& pool = *QThreadPool::globalInstance();
  const int threads = std::clamp(QThread::idealThreadCount(), 1, 8);
  pool.setMaxThreadCount(threads);
  for (int t = 0; t < threads; ++t) pool.start(work);
  pool.waitForDone();
  return !failed;
}

bool WriteText(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  if (!file) {
    std::cerr << "make-class-pictures: Cannot write " << path << '\n';
    return false;
  }
  return true;
}

int MakeClass(const std::string& folder, int count, int width, int height) {
  std::vector<Picture> pictures;
  for (int i = 0; i < count; ++i)
    pictures.push_back({folder + "/" + FileName(i), 1000 + static_cast<std::uint32_t>(i)});
  if (!DrawAll(pictures, width, height)) return 1;

  std::string list = "FirstName,LastName,Picture,Main\r\n";
  for (int i = 0; i < count; ++i) {
    const std::string first = kFirstNames[(i * 7) % std::size(kFirstNames)];
    const std::string last = kLastNames[(i * 11 + i / 15) % std::size(kLastNames)];
    list += Field(first) + ',' + Field(last) + ',' + Field(FileName(i)) + ',' +
            (i == 0 ? "1" : "") + "\r\n";
  }
  return WriteText(folder + "/class.csv", list) ? 0 : 1;
}

int MakeSchool(const std::string& folder, int groups, int pupils) {
  const std::vector<SchoolPortrait> rows = MadeUpSchool::Make(groups, pupils);
  std::vector<Picture> pictures;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    std::string relative = rows[i].Folder;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    std::error_code error;
    std::filesystem::create_directories(folder + "/" + relative, error);
    if (error) {
      std::cerr << "make-class-pictures: Cannot make " << folder << "/" << relative << ": "
                << error.message() << '\n';
      return 1;
    }
    pictures.push_back(
        {folder + "/" + relative + "/" + rows[i].File, 5000 + static_cast<std::uint32_t>(i)});
  }
  if (!DrawAll(pictures, kPortraitWidth, kPortraitHeight)) return 1;
  // The index comes last, so that a school whose pictures failed has no index to mislead.
  return WriteText(folder + "/INDEX.TXT", MadeUpSchool::IndexText(rows, kSchoolName)) ? 0 : 1;
}

// The school's arguments after --school FOLDER: [GROUPS [PUPILS]] or --pupils TOTAL.
bool ReadSchool(int argc, char** argv, int& groups, int& pupils) {
  groups = 40;
  int perGroup = kGroupSize;
  const int most = MadeUpSchool::MostPeople();
  if (argc == 5 && std::strcmp(argv[3], "--pupils") == 0) {
    if (!ReadNumber(argv[4], 1, most, pupils)) return false;
    groups = (pupils + kGroupSize - 1) / kGroupSize;
  } else {
    if (argc > 5 || (argc >= 4 && !ReadNumber(argv[3], 1, most, groups)) ||
        (argc == 5 && !ReadNumber(argv[4], 1, most, perGroup))) {
      return false;
    }
    pupils = groups * perGroup;
  }
  if (pupils + groups + MadeUpSchool::kOtherStaff > most) {
    std::cerr << "make-class-pictures: the names make at most " << most << " people distinct\n";
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "--school") == 0) {
    int groups = 0;
    int pupils = 0;
    if (!ReadSchool(argc, argv, groups, pupils)) {
      std::cerr << kUsage;
      return 2;
    }
    return MakeSchool(argv[2], groups, pupils);
  }
  int count = 30;
  int width = 6000;
  int height = 4000;
  if ((argc != 2 && argc != 3 && argc != 5) || argv[1][0] == '-' ||
      (argc >= 3 && !ReadNumber(argv[2], 1, 999, count)) ||
      (argc == 5 &&
       (!ReadNumber(argv[3], 8, 20000, width) || !ReadNumber(argv[4], 8, 20000, height)))) {
    std::cerr << kUsage;
    return 2;
  }
  return MakeClass(argv[1], count, width, height);
}
