// SPDX-License-Identifier: MIT
// The REGEDIT4 reader and writer on settings files of four hostile shapes
// (one deeply nested key line; very many values in one key; very many keys
// and as many removal lines; value names crafted to collide in a fixed
// hash) and a control of random names, against reading the same bytes with
// std::ifstream, whole and line by line: load (read and parse) and save
// (write the text and the file) as ratios of those reads, in process CPU
// time (so that the machine's other work does not count), median of
// several alternating runs; then the peak memory of each, in a child
// process of its own, against the file size; and the crafted names against
// the random ones of the same size.
#include "BenchSupport.h"
#include "platform/posix/settings/RegeditFormat.h"

#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using twinvane::bench::Median;
using twinvane::platform::posix::ParseRegedit;
using twinvane::platform::posix::RegistryDocument;
using twinvane::platform::posix::WriteRegedit;

struct Shape {
    const char* name;
    // Appends the piece `i` of the file's body to `out`.
    std::function<void(std::uint64_t i, std::string& out)> piece;
    // Appends the part of the file's tail that follows the pieces from
    // `from` on (a few thousand at a time), when the shape has a tail.
    std::function<void(std::uint64_t from, std::string& out)> tail;
    // The share of the file the body takes, in halves.
    std::uint64_t bodyHalves = 2;
};

// Writes "REGEDIT4", then pieces until the file holds about `size` bytes,
// then the tail, in chunks, so that this process never holds the whole text.
void MakeFile(const std::string& path, const Shape& shape, std::uint64_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::string chunk = "REGEDIT4\n\n";
    std::uint64_t written = 0;
    std::uint64_t pieces = 0;
    const auto flush = [&] {
        out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        written += chunk.size();
        chunk.clear();
    };
    const std::uint64_t body = size / 2 * shape.bodyHalves;
    while (written + chunk.size() < body) {
        shape.piece(pieces++, chunk);
        if (chunk.size() > (1 << 16)) {
            flush();
        }
    }
    if (shape.tail) {
        for (std::uint64_t i = 0; i < pieces; i += 1 << 12) {
            std::string part;
            shape.tail(i, part);
            chunk += part;
            flush();
        }
    }
    chunk += '\n';
    flush();
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    in.seekg(0, std::ios::end);
    std::string text(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    return text;
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

RegistryDocument Load(const std::string& path) {
    return ParseRegedit(ReadFile(path));
}

void Save(const RegistryDocument& document, const std::string& path) {
    WriteFile(path, WriteRegedit(document));
}

std::size_t ReadLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    std::size_t bytes = 0;
    while (std::getline(in, line)) {
        bytes += line.size() + 1;
    }
    return bytes;
}

double CpuMilliseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Each contender starts from a heap that holds no free memory, as the first
// load of a program does: else a buffer may land in pages that an earlier
// contender left mapped, and the same read costs half as much in one run,
// or for one shape, as in another.
double Milliseconds(const std::function<void()>& work) {
    ::malloc_trim(0);
    const double start = CpuMilliseconds();
    work();
    return CpuMilliseconds() - start;
}

long PeakKiB() {
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct Peaks {
    long load = 0; // KiB above the child's start, after loading
    long save = 0; // the same, after saving as well
};

// The growth of the peak resident memory of a child process that loads
// `source` and then saves it to `target`, over what it started with.
Peaks MeasurePeaks(const std::string& source, const std::string& target) {
    int channel[2];
    if (::pipe(channel) != 0) {
        std::perror("pipe");
        std::exit(1);
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        const long start = PeakKiB();
        Peaks peaks;
        {
            const RegistryDocument document = Load(source);
            peaks.load = PeakKiB() - start;
            Save(document, target);
            peaks.save = PeakKiB() - start;
        }
        const bool sent = ::write(channel[1], &peaks, sizeof peaks) == sizeof peaks;
        ::_exit(sent ? 0 : 1);
    }
    ::close(channel[1]);
    Peaks peaks;
    const bool received = ::read(channel[0], &peaks, sizeof peaks) == sizeof peaks;
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!received || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "the measuring child failed (status %d)\n", status);
        std::exit(1);
    }
    return peaks;
}

// Bytes a quoted value name may hold as they are: no quote, backslash, line
// break, zero byte, nor capital (which would fold into another name).
bool PlainInName(std::uint64_t word) {
    for (int i = 0; i < 8; ++i) {
        const auto c = static_cast<unsigned char>(word >> (8 * i));
        if (c == '"' || c == '\\' || c == '\r' || c == '\n' || c == 0 || (c >= 'A' && c <= 'Z')) {
            return false;
        }
    }
    return true;
}

std::string WordText(std::uint64_t word) {
    std::string text(8, '\0');
    for (int i = 0; i < 8; ++i) {
        text[i] = static_cast<char>(word >> (8 * i));
    }
    return text;
}

// 16-byte names that all collide in a fixed, unseeded hash of 8-byte words,
// h = (h ^ word) * K, h ^= h >> 29, started from the length (a hash anyone
// can invert): any first word, then the second word that leads to the
// same state, which the round's inverse gives. With `crafted` false, names
// of the same bytes picked at random instead.
std::string CollidingName(std::mt19937_64& random, bool crafted) {
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15;
    std::uint64_t inverse = kMultiplier; // Newton's iteration, mod 2^64
    for (int i = 0; i < 6; ++i) {
        inverse *= 2 - kMultiplier * inverse;
    }
    const auto round = [&](std::uint64_t h, std::uint64_t word) {
        h = (h ^ word) * kMultiplier;
        return h ^ (h >> 29);
    };
    const std::uint64_t target = 0x0123456789ABCDEF; // the state every name leads to
    const std::uint64_t beforeShift = target ^ (target >> 29) ^ (target >> 58);
    for (;;) {
        const std::uint64_t first = random();
        const std::uint64_t second =
            crafted ? round(16, first) ^ (beforeShift * inverse) : random();
        if (PlainInName(first) && PlainInName(second)) {
            return WordText(first) + WordText(second);
        }
    }
}

Shape NamesShape(const char* name, bool crafted) {
    // The generator is shared by the pieces, which come in order.
    auto random = std::make_shared<std::mt19937_64>(crafted ? 11 : 12);
    return {name,
            [random, crafted](std::uint64_t i, std::string& out) {
                if (i == 0) {
                    out += "[HKEY_CURRENT_USER\\Software\\Bench]\n";
                }
                out += "\"" + CollidingName(*random, crafted) + "\"=\"x\"\n";
            },
            {}};
}

std::vector<Shape> Shapes() {
    return {
        {"one deep key line",
         [](std::uint64_t i, std::string& out) {
             out += i == 0 ? "[HKEY_CURRENT_USER\\Software" : "\\k";
         },
         [](std::uint64_t i, std::string& out) {
             if (i == 0) {
                 out += "]\n\"Value\"=\"x\"\n";
             }
         }},
        {"values in one key",
         [](std::uint64_t i, std::string& out) {
             if (i == 0) {
                 out += "[HKEY_CURRENT_USER\\Software\\Bench]\n";
             }
             out += "\"v" + std::to_string(i) + "\"=\"x\"\n";
         },
         {}},
        {"keys and removals",
         [](std::uint64_t i, std::string& out) {
             out += "[HKEY_CURRENT_USER\\K" + std::to_string(i) + "]\n";
         },
         // Every other key removed; the other lines name keys not there.
         [](std::uint64_t from, std::string& out) {
             for (std::uint64_t i = from; i < from + (1 << 12); ++i) {
                 out += "[-HKEY_CURRENT_USER\\" + std::string(i % 2 == 0 ? "K" : "Gone") +
                        std::to_string(i) + "]\n";
             }
         },
         1},
        NamesShape("crafted names", true),
        NamesShape("random names", false),
    };
}

} // namespace

int main(int argc, char* argv[]) {
    const std::uint64_t size = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 10ULL << 20;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    const fs::path folder =
        fs::temp_directory_path() / ("twinvane-regedit-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string target = (folder / "saved.reg").string();
    const auto shapes = Shapes();
    std::vector<std::string> files;
    for (std::size_t s = 0; s < shapes.size(); ++s) {
        files.push_back((folder / ("shape" + std::to_string(s) + ".reg")).string());
        MakeFile(files.back(), shapes[s], size);
    }

    // Memory first, while this process has allocated little that a child
    // could reuse without it counting.
    std::vector<Peaks> peaks;
    for (const auto& file : files) {
        peaks.push_back(MeasurePeaks(file, target));
    }

    std::printf("REGEDIT4 settings files of about %.1f MiB, CPU time, median of %d runs\n",
                static_cast<double>(size) / (1 << 20), runs);
    std::printf("goals: load and save <= 20 x the whole read; peak memory <= 10 x the file\n");
    std::printf("  %-18s %7s %8s %8s %6s %6s %8s %6s %6s %9s %5s %9s %5s\n", "shape", "read",
                "getline", "load", "x read", "x line", "save", "x read", "x line", "load peak", "x",
                "save peak", "x");
    std::vector<std::pair<double, double>> medians; // load and save, by shape
    for (std::size_t s = 0; s < shapes.size(); ++s) {
        const std::string& file = files[s];
        const double bytes = static_cast<double>(fs::file_size(file));
        std::vector<double> reads, lines, loads, saves;
        // The contenders take turns, so that a busy moment falls on all alike.
        for (int run = 0; run < runs; ++run) {
            reads.push_back(Milliseconds([&] { ReadFile(file); }));
            lines.push_back(Milliseconds([&] { ReadLines(file); }));
            RegistryDocument document;
            loads.push_back(Milliseconds([&] { document = Load(file); }));
            saves.push_back(Milliseconds([&] { Save(document, target); }));
        }
        const double read = Median(reads);
        const double line = Median(lines);
        const double load = Median(loads);
        const double save = Median(saves);
        const auto times = [&](long kib) {
            return static_cast<double>(kib) * 1024 / bytes;
        };
        std::printf("  %-18s %4.1f ms %5.1f ms %5.0f ms %6.1f %6.1f %5.0f ms %6.1f %6.1f %5ld MiB "
                    "%5.1f %5ld MiB %5.1f\n",
                    shapes[s].name, read, line, load, load / read, load / line, save, save / read,
                    save / line, peaks[s].load / 1024, times(peaks[s].load), peaks[s].save / 1024,
                    times(peaks[s].save));
        medians.push_back({load, save});
    }
    // The last two shapes: crafted names, then random ones of the same size.
    const auto& crafted = medians[medians.size() - 2];
    const auto& random = medians.back();
    std::printf("crafted against random names (goal <= 3): load %.2f x, save %.2f x\n",
                crafted.first / random.first, crafted.second / random.second);
    fs::remove_all(folder);
    return 0;
}
