#include "RoundFileGenerator.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <fstream>
#include <string_view>

#include "ClubCode.h"
#include "RoundFile.h"
#include "RoundRecord.h"

namespace larkspin::bench {

namespace {

// splitmix64: small, fast and the same on every platform and standard library, which the
// distributions of <random> are not.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // 0 to n - 1.
  int Below(int n) {
    return static_cast<int>(((Next() >> 32) * static_cast<std::uint64_t>(n)) >> 32);
  }
  int Between(int low, int high) { return low + Below(high - low + 1); }
  bool Percent(int percent) { return Below(1000) < percent * 10; }
  bool Permille(int permille) { return Below(1000) < permille; }
  // An index into `weights`, each as likely as its weight.
  template <std::size_t N>
  int Weighted(const std::array<int, N>& weights) {
    int total = 0;
    for (const int weight : weights)
      total += weight;
    int pick = Below(total);
    for (std::size_t i = 0; i < N; ++i) {
      if (pick < weights[i]) return static_cast<int>(i);
      pick -= weights[i];
    }
    return static_cast<int>(N) - 1;
  }

 private:
  std::uint64_t state_;
};

// The courses, the ones played most first. A name of the form "... Nine" has nine holes.
constexpr std::array<std::string_view, 50> kCourseNames = {
    "Cedar Ridge Country Club",
    "Willow Creek Golf Course",
    "Riverside Municipal Golf Course",
    "Oakmont Country Club",
    "Pebble Beach Golf Links",
    "Maple Leaf Nine",
    "St Andrews Old Course",
    "Augusta National",
    "Pinehurst No. 2",
    "Royal Birkdale",
    "Muirfield",
    "Carnoustie Championship",
    "Bethpage Black",
    "Whistling Straits",
    "Kiawah Island Ocean Course",
    "TPC Sawgrass Stadium",
    "Torrey Pines South",
    "Winged Foot West",
    "Shinnecock Hills",
    "Merion East",
    "Riviera Country Club",
    "Harbour Town Golf Links",
    "Bandon Dunes",
    "Pacific Dunes",
    "Cypress Point Club",
    "Royal County Down",
    "Royal Portrush Dunluce Links",
    "Ballybunion Old Course",
    "Turnberry Ailsa",
    "Royal Melbourne West",
    "Kingston Heath",
    "Valderrama",
    "Real Club de Golf El Prat",
    "Golfclub M\xC3\xBCnster-Wilkinghege",
    "Golf du Ch\xC3\xA2teau de C\xC3\xA9ly",
    "Chambers Bay",
    "Erin Hills",
    "Sand Valley",
    "Streamsong Red",
    "Medinah No. 3",
    "Hazeltine National",
    "Baltusrol Lower",
    "Olympic Club Lake Course",
    "Quail Hollow",
    "East Lake",
    "Old Mill Nine",
    "Sunningdale Old",
    "Wentworth West Course",
    "Gleneagles King's Course",
    "Royal Dornoch Championship",
};

// How often each course is played, in the order of kCourseNames: a home course, a few local
// ones, the rest on trips.
constexpr std::array<int, 50> MakeCourseWeights() {
  std::array<int, 50> weights{};
  for (std::size_t i = 0; i < weights.size(); ++i)
    weights[i] = i < 5 ? 12 : i < 15 ? 3 : 1;
  return weights;
}
constexpr std::array<int, 50> kCourseWeights = MakeCourseWeights();

struct Course {
  std::string_view name;
  int holes = kHoles;
  std::array<int, kHoles> pars{};
};

// Four par threes and four par fives among eighteen holes, in an order of the course's own.
std::array<Course, kCourseNames.size()> MakeCourses(Random& random) {
  std::array<Course, kCourseNames.size()> courses;
  for (std::size_t i = 0; i < courses.size(); ++i) {
    Course& course = courses[i];
    course.name = kCourseNames[i];
    if (course.name.ends_with(" Nine")) course.holes = 9;
    course.pars = {3, 3, 3, 3, 5, 5, 5, 5, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4};
    for (int hole = kHoles - 1; hole > 0; --hole) {
      std::swap(course.pars[hole], course.pars[random.Below(hole + 1)]);
    }
  }
  return courses;
}

// Indexes into kClubCodes: 1I..9I are 0..8, 1W..5W 9..13, D 14, PW 15, SW 16.
constexpr std::array<int, 17> kTeeClubOnParThree = {1, 2, 4, 8, 12, 14, 16, 14, 10,
                                                    0, 0, 0, 2, 5,  0,  8,  3};
constexpr std::array<int, 17> kTeeClubOnLongHole = {1, 3, 4,  3, 2, 1,  1, 0, 0,
                                                    3, 2, 14, 3, 3, 60, 0, 0};

// How far the tee shot went with each club, in yards.
struct Carry {
  int shortest;
  int longest;
};
constexpr std::array<Carry, 17> kCarries = {{
    {190, 240},
    {180, 230},
    {170, 215},
    {160, 205},
    {150, 195},
    {140, 185},  // 1I..6I
    {130, 170},
    {120, 160},
    {110, 150},  // 7I..9I
    {210, 280},
    {200, 265},
    {190, 255},
    {180, 245},
    {170, 235},  // 1W..5W
    {210, 300},
    {100, 135},
    {100, 120},  // D, PW, SW
}};

// Chipped in, one putt, two, three, four.
constexpr std::array<int, 5> kPuttWeights = {3, 28, 52, 14, 3};

// More rounds in summer than in winter.
constexpr std::array<int, 12> kMonthWeights = {3, 4, 7, 10, 12, 13, 13, 13, 11, 8, 4, 2};
constexpr int kFirstYear = 2004;
constexpr int kYears = 20;

int DaysInMonth(int year, int month) {
  static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

void AppendNumber(std::string& out, int value) {
  char digits[12];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0);
  while (count > 0)
    out += digits[--count];
}

void AppendTwoDigits(std::string& out, int value) {
  out += static_cast<char>('0' + value / 10);
  out += static_cast<char>('0' + value % 10);
}

// One hole as the four cells of a round; empty texts where nothing was noted.
struct Hole {
  int strokes = 0;  // 0: not played
  int drive = 0;    // 0: not noted
  int club = -1;    // index into kClubCodes, -1: not noted
  int putts = -1;   // -1: not noted
};

class RoundWriter {
 public:
  explicit RoundWriter(std::string& out) : out_(out) {}

  void Line(char letter, int hole, const Hole& value) {
    out_ += letter;
    AppendNumber(out_, hole);
    out_ += '=';
    switch (letter) {
      case 'S':
        if (value.strokes > 0) AppendNumber(out_, value.strokes);
        break;
      case 'D':
        if (value.drive > 0) AppendNumber(out_, value.drive);
        break;
      case 'P':
        if (value.putts >= 0) AppendNumber(out_, value.putts);
        break;
      case 'C':
        if (value.club >= 0) out_ += kClubCodes[static_cast<std::size_t>(value.club)];
        break;
      default:
        break;
    }
    out_ += "\r\n";
  }

 private:
  std::string& out_;
};

void AppendRound(std::string& out, Random& random, const std::array<Course, 50>& courses) {
  const Course& course = courses[static_cast<std::size_t>(random.Weighted(kCourseWeights))];
  const int year = kFirstYear + random.Below(kYears);
  const int month = 1 + random.Weighted(kMonthWeights);
  const int day = random.Between(1, DaysInMonth(year, month));

  // The player gets better over the years, with good and bad days.
  const int handicap = std::max(0, 26 - (year - kFirstYear) * 3 / 5 + random.Between(-4, 4));
  const int holesPlayed = course.holes == kHoles && random.Percent(3) ? 9 : course.holes;

  std::array<Hole, kHoles> holes{};
  for (int i = 0; i < holesPlayed; ++i) {
    Hole& hole = holes[static_cast<std::size_t>(i)];
    const int par = course.pars[static_cast<std::size_t>(i)];
    // Strokes over par: a birdie now and then, otherwise up to three dropped shots, each the
    // likelier the higher the handicap.
    int overPar = 0;
    if (random.Below(100) < 7) {
      overPar = -1;
    } else {
      for (int shot = 0; shot < 3; ++shot)
        overPar += random.Below(54) < handicap ? 1 : 0;
      if (random.Permille(15)) overPar += 2;  // lost ball
    }
    hole.strokes = std::clamp(par + overPar, 2, 9);

    const auto& clubWeights = par == 3 ? kTeeClubOnParThree : kTeeClubOnLongHole;
    const int club = random.Weighted(clubWeights);
    const Carry carry = kCarries[static_cast<std::size_t>(club)];
    if (!random.Percent(6)) hole.drive = random.Between(carry.shortest, carry.longest);
    if (!random.Percent(3)) hole.club = club;
    if (!random.Percent(2)) {
      hole.putts = std::min(random.Weighted(kPuttWeights), hole.strokes - 1);
    }
  }

  out += "COURSE=";
  out += course.name;
  out += "\r\nDATE=";
  AppendNumber(out, year);
  out += '-';
  AppendTwoDigits(out, month);
  out += '-';
  AppendTwoDigits(out, day);
  out += "\r\n";
  RoundWriter writer(out);
  for (const char letter : {'S', 'D', 'P', 'C'}) {
    for (int hole = 1; hole <= kHoles; ++hole) {
      writer.Line(letter, hole, holes[static_cast<std::size_t>(hole - 1)]);
    }
  }
}

}  // namespace

std::string GenerateRoundFile(int rounds, std::uint64_t seed) {
  std::string out;
  if (rounds <= 0) return out;
  Random random(seed);
  const auto courses = MakeCourses(random);
  out.reserve(static_cast<std::size_t>(rounds) * 600);
  out += kDataFileHeader;
  out += "\r\n";
  for (int round = 0; round < rounds; ++round) {
    if (round > 0) out += "\r\n";  // the empty line between records
    AppendRound(out, random, courses);
  }
  return out;
}

std::string GenerateCourseFile(std::uint64_t seed) {
  Random random(seed);
  const auto courses = MakeCourses(random);
  std::string out = kDataFileHeader;
  out += "\r\n";
  for (std::size_t i = 0; i < courses.size(); ++i) {
    const Course& course = courses[i];
    if (i > 0) out += "\r\n";
    out += "COURSE=";
    out += course.name;
    out += "\r\nDATE=2004-01-01\r\n";
    for (int hole = 1; hole <= kHoles; ++hole) {
      out += 'S';
      AppendNumber(out, hole);
      out += '=';
      if (hole <= course.holes) AppendNumber(out, course.pars[static_cast<std::size_t>(hole - 1)]);
      out += "\r\n";
    }
  }
  return out;
}

namespace {

bool WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  return !file.fail();
}

}  // namespace

bool WriteGeneratedCourseFile(const std::string& path, std::uint64_t seed) {
  return WriteBytes(path, GenerateCourseFile(seed));
}

bool WriteGeneratedRoundFile(const std::string& path, int rounds, std::uint64_t seed) {
  return WriteBytes(path, GenerateRoundFile(rounds, seed));
}

}  // namespace larkspin::bench
