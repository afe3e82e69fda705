// kvdgen: writes a realistic battery cycling data file (.kvd) for tests, examples and benchmarks.
//
//   kvdgen [--records N] [--extra-channels K] [--seed S] [--rate R] [--out FILE]
//
// With --rate the records come R a second, each written out as it is due, the way a rig appends
// to a running test's file: the viewer's following can be watched on it.
//
// A simulated cell is cycled: constant-current charge to 4.20 V, constant-voltage hold until the
// current tapers to C/20, rest, constant-current discharge to 2.75 V, rest, and again. Capacity
// fades and resistance grows slowly from cycle to cycle; the temperature rises under current.
// The output follows the rig's export: a free header line, a line of GBK channel names, one
// tab-separated line per sample, CR LF line ends.

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// Channel names in GBK: the rig writes the system code page, and the viewer must cope with it.
constexpr std::string_view kTime = "\xca\xb1\xbc\xe4(s)";        // 时间(s)
constexpr std::string_view kVoltage = "\xb5\xe7\xd1\xb9(V)";     // 电压(V)
constexpr std::string_view kCurrent = "\xb5\xe7\xc1\xf7(A)";     // 电流(A)
constexpr std::string_view kCapacity = "\xc8\xdd\xc1\xbf(Ah)";   // 容量(Ah)
constexpr std::string_view kTemperature = "\xce\xc2\xb6\xc8(C)"; // 温度(C)
constexpr std::string_view kPower = "\xb9\xa6\xc2\xca(W)";       // 功率(W)
constexpr std::string_view kNoise = "\xd4\xeb\xc9\xf9";          // 噪声

struct Options {
    std::uint64_t records = 20000;
    unsigned extraChannels = 0;
    std::uint64_t seed = 1;
    std::uint64_t rate = 0; // records per second; 0: as fast as possible
    std::string out = "-";
};

// Buffered writer over a C stream; formats fixed-point numbers without locale or iostreams.
class Writer {
public:
    explicit Writer(std::FILE* file) : m_file(file), m_buffer(kSize) {}

    void text(std::string_view s) {
        if (m_used + s.size() > kSize)
            flush();
        std::memcpy(m_buffer.data() + m_used, s.data(), s.size());
        m_used += s.size();
    }

    // Writes value rounded to `decimals` places (0..6); never prints "-0.000".
    void fixed(double value, int decimals) {
        static constexpr std::array<double, 7> kScale = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};
        if (m_used + 32 > kSize)
            flush();
        char* p = m_buffer.data() + m_used;
        const auto scaled = static_cast<std::int64_t>(std::llround(value * kScale[decimals]));
        std::uint64_t magnitude = scaled < 0 ? 0 - static_cast<std::uint64_t>(scaled)
                                             : static_cast<std::uint64_t>(scaled);
        if (scaled < 0)
            *p++ = '-';
        std::uint64_t divisor = 1;
        for (int i = 0; i < decimals; ++i)
            divisor *= 10;
        p = std::to_chars(p, p + 24, magnitude / divisor).ptr;
        if (decimals > 0) {
            *p++ = '.';
            std::uint64_t frac = magnitude % divisor;
            for (int i = decimals - 1; i >= 0; --i) {
                p[i] = static_cast<char>('0' + frac % 10);
                frac /= 10;
            }
            p += decimals;
        }
        m_used = static_cast<std::size_t>(p - m_buffer.data());
    }

    void integer(std::uint64_t value) {
        if (m_used + 32 > kSize)
            flush();
        char* p = m_buffer.data() + m_used;
        m_used = static_cast<std::size_t>(std::to_chars(p, p + 24, value).ptr - m_buffer.data());
    }

    void flush() {
        if (m_used > 0 && std::fwrite(m_buffer.data(), 1, m_used, m_file) != m_used)
            m_failed = true;
        m_used = 0;
    }

    // Everything written so far reaches the file.
    void sync() {
        flush();
        if (std::fflush(m_file) != 0)
            m_failed = true;
    }

    bool failed() const { return m_failed; }

private:
    static constexpr std::size_t kSize = 8u << 20;
    std::FILE* m_file;
    std::vector<char> m_buffer;
    std::size_t m_used = 0;
    bool m_failed = false;
};

// splitmix64: tiny, fast and the same everywhere, so a seed always gives the same file.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}

    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

    double gaussian() {
        if (m_hasSpare) {
            m_hasSpare = false;
            return m_spare;
        }
        const double u = 1.0 - uniform();
        const double v = uniform();
        const double r = std::sqrt(-2.0 * std::log(u));
        m_spare = r * std::sin(2.0 * std::numbers::pi * v);
        m_hasSpare = true;
        return r * std::cos(2.0 * std::numbers::pi * v);
    }

private:
    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    std::uint64_t m_state;
    double m_spare = 0;
    bool m_hasSpare = false;
};

enum class Step { ChargeCC, ChargeCV, RestAfterCharge, DischargeCC, RestAfterDischarge };

// One cell on the rig: state of charge, RC polarisation, heat, step control and fade.
class Cell {
public:
    static constexpr double kSampleSeconds = 5.0;

    struct Sample {
        double voltage, current, capacity, temperature;
    };

    Sample advance() {
        const double ocv = openCircuit(m_soc);
        const double r0 = kR0 * (1.0 + 0.00006 * m_cycle);
        double current = controlCurrent(ocv, r0);
        const Sample sample{ocv + current * r0 + m_polarisation, current, m_stepCapacity,
                            m_temperature};
        integrate(current, r0);
        return sample;
    }

private:
    static constexpr double kNominalAh = 2.5;
    static constexpr double kChargeA = 2.5;
    static constexpr double kDischargeA = 2.5;
    static constexpr double kTaperA = kNominalAh / 20.0;
    static constexpr double kUpperV = 4.2;
    static constexpr double kLowerV = 2.75;
    static constexpr double kRestSeconds = 900.0;
    static constexpr double kR0 = 0.045, kR1 = 0.025, kTauSeconds = 90.0;
    static constexpr double kAmbientC = 25.0, kHeatJPerK = 45.0, kCoolingWPerK = 0.06;

    // Open-circuit voltage of a graphite/NMC-like cell over the state of charge.
    static double openCircuit(double soc) {
        return 3.30 + 0.82 * soc - 0.42 * std::exp(-14.0 * soc) +
               0.08 * std::exp(25.0 * (soc - 1.0));
    }

    double capacityAh() const { return kNominalAh * (1.0 - 0.00004 * m_cycle); }

    void enter(Step step) {
        m_step = step;
        m_stepStart = m_time;
        if (step == Step::ChargeCC || step == Step::DischargeCC)
            m_stepCapacity = 0;
        if (step == Step::ChargeCC)
            ++m_cycle;
    }

    // Picks the step for this sample (switching as soon as its end condition holds) and
    // returns the current it drives, charge positive.
    double controlCurrent(double ocv, double r0) {
        switch (m_step) {
        case Step::ChargeCC:
            if (ocv + kChargeA * r0 + m_polarisation < kUpperV)
                return kChargeA;
            enter(Step::ChargeCV);
            [[fallthrough]];
        case Step::ChargeCV: {
            const double current = std::min(kChargeA, (kUpperV - ocv - m_polarisation) / r0);
            if (current > kTaperA)
                return current;
            enter(Step::RestAfterCharge);
            return 0;
        }
        case Step::RestAfterCharge:
            if (m_time - m_stepStart < kRestSeconds)
                return 0;
            enter(Step::DischargeCC);
            [[fallthrough]];
        case Step::DischargeCC:
            if (ocv - kDischargeA * r0 + m_polarisation > kLowerV)
                return -kDischargeA;
            enter(Step::RestAfterDischarge);
            return 0;
        case Step::RestAfterDischarge:
            if (m_time - m_stepStart < kRestSeconds)
                return 0;
            enter(Step::ChargeCC);
            return kChargeA;
        }
        return 0;
    }

    void integrate(double current, double r0) {
        const double dt = kSampleSeconds;
        m_soc = std::clamp(m_soc + current * dt / 3600.0 / capacityAh(), 0.0, 1.02);
        m_polarisation += (current * kR1 - m_polarisation) * (1.0 - std::exp(-dt / kTauSeconds));
        const double heat = current * current * (r0 + kR1);
        const double ambient =
            kAmbientC + 1.5 * std::sin(m_time * (2.0 * std::numbers::pi / 86400.0));
        m_temperature += dt * (heat - kCoolingWPerK * (m_temperature - ambient)) / kHeatJPerK;
        m_stepCapacity += std::fabs(current) * dt / 3600.0;
        m_time += dt;
    }

    Step m_step = Step::RestAfterDischarge;
    double m_time = 0, m_stepStart = -kRestSeconds + 300.0;
    double m_soc = 0.35, m_polarisation = 0, m_temperature = kAmbientC, m_stepCapacity = 0;
    int m_cycle = 0;
};

bool parseUnsigned(const char* text, std::uint64_t& value) {
    const char* end = text + std::strlen(text);
    const auto [ptr, ec] = std::from_chars(text, end, value);
    return ec == std::errc() && ptr == end && ptr != text;
}

int usage(const char* message) {
    std::fprintf(stderr,
                 "%s%skvdgen [--records N] [--extra-channels K] [--seed S] [--rate R]\n"
                 "              [--out FILE|-]\n"
                 "  defaults: 20000 records, 0 extra channels, seed 1, standard output\n"
                 "  --rate R: R records a second, each written out when it is due\n",
                 message, *message ? "\nusage: " : "usage: ");
    return 2;
}

void writeFile(Writer& w, const Options& opt) {
    w.text("Kurvon test rig export 2026-12-06  cell 3  CC-CV 2.50A/4.20V  CC 2.50A/2.75V  seed ");
    w.integer(opt.seed);
    w.text("\r\n");
    for (auto name : {kTime, kVoltage, kCurrent, kCapacity, kTemperature}) {
        w.text(name);
        w.text("\t");
    }
    w.text(kPower);
    for (unsigned k = 1; k <= opt.extraChannels; ++k) {
        w.text("\t");
        w.text(kNoise);
        w.integer(k);
    }
    w.text("\r\n");

    Random random(opt.seed);
    Cell cell;
    const auto start = std::chrono::steady_clock::now();
    for (std::uint64_t n = 0; n < opt.records; ++n) {
        if (opt.rate != 0) {
            const auto due = start + std::chrono::seconds(n / opt.rate) +
                             std::chrono::nanoseconds(n % opt.rate * 1000000000ull / opt.rate);
            if (std::chrono::steady_clock::now() < due) {
                w.sync();
                std::this_thread::sleep_until(due);
            }
            if (w.failed())
                return;
        }
        const Cell::Sample s = cell.advance();
        const double voltage = s.voltage + 0.0004 * random.gaussian();
        const double current = s.current == 0 ? 0 : s.current + 0.0015 * random.gaussian();
        w.fixed(static_cast<double>(n) * Cell::kSampleSeconds, 1);
        w.text("\t");
        w.fixed(voltage, 4);
        w.text("\t");
        w.fixed(current, 4);
        w.text("\t");
        w.fixed(s.capacity, 4);
        w.text("\t");
        w.fixed(s.temperature + 0.03 * random.gaussian(), 3);
        w.text("\t");
        w.fixed(voltage * current, 4);
        for (unsigned k = 1; k <= opt.extraChannels; ++k) {
            w.text("\t");
            w.fixed(0.05 * k * random.gaussian(), 5);
        }
        w.text("\r\n");
    }
}

} // namespace

int main(int argc, char** argv) {
    Options opt;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h")
            return usage("");
        if (i + 1 >= argc)
            return usage("missing value after an option");
        const char* value = argv[++i];
        std::uint64_t number = 0;
        if (arg == "--out") {
            opt.out = value;
        } else if (!parseUnsigned(value, number)) {
            return usage("option value is not an unsigned number");
        } else if (arg == "--records") {
            opt.records = number;
        } else if (arg == "--extra-channels" && number <= 1000) {
            opt.extraChannels = static_cast<unsigned>(number);
        } else if (arg == "--seed") {
            opt.seed = number;
        } else if (arg == "--rate" && number <= 100000000) {
            opt.rate = number;
        } else {
            return usage("unknown option or value out of range");
        }
    }

    std::FILE* file = stdout;
    if (opt.out != "-") {
        file = std::fopen(opt.out.c_str(), "wb");
        if (!file) {
            std::perror(opt.out.c_str());
            return 1;
        }
    } else {
#ifdef _WIN32
        _setmode(_fileno(stdout), _O_BINARY);
#endif
    }

    Writer writer(file);
    writeFile(writer, opt);
    writer.flush();
    const bool ok =
        !writer.failed() && std::fflush(file) == 0 && (file == stdout || std::fclose(file) == 0);
    if (!ok) {
        std::fprintf(stderr, "kvdgen: write failed\n");
        return 1;
    }
    return 0;
}
