#include "bridge/run_parameters.h"

#include "bridge/field_text.h"
#include "bridge/lammps_input.h"
#include "runfiles/constants.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <vector>

namespace demrun {

namespace {

using runfiles::kPi;

const ParameterKey kKeys[] = {
    {"density", "2000", "mass per unit area of the particles"},
    {"gravity", "9.81", "gravitational acceleration, downwards"},
    {"kn", "auto",
     "normal contact stiffness (auto: the larger of the overlap under the weight of the whole packing and "
     "the overlap of the worst impact)"},
    {"overlap", "0.001", "with kn = auto: overlap under the packing's weight per smallest radius"},
    {"impact_overlap", "0.2",
     "with kn = auto: overlap of a fall from the box height per disc radius; after the run, overlaps beyond it "
     "are reported"},
    {"restitution", "0.5", "normal coefficient of restitution (sets the normal damping)"},
    {"friction", "0.5", "particle-particle friction coefficient"},
    {"wall_friction", "auto", "particle-wall friction coefficient (auto: as friction)"},
    {"steps_per_contact", "20", "time steps per contact time of the lightest particles"},
    {"steps", "20000", "number of time steps to run"},
    {"dump_every", "200", "time steps between two dumps (one step block each)"},
    {"lid_speed", "auto", "downward speed of the lid (auto: a tenth of the box height over the run)"},
    {"rounding", "0.15", "disc radius of polygon and ellipse clumps per smaller semi-axis"},
};

std::string trim(std::string_view text) {
    const auto begin = text.find_first_not_of(" \t\r");
    if (begin == std::string_view::npos) return {};
    const auto end = text.find_last_not_of(" \t\r");
    return std::string(text.substr(begin, end - begin + 1));
}

double valueOf(const ParameterChoice& choice, const char* key) {
    double value = 0.0;
    parseFieldDouble(choice.values.at(key), value);
    return value;
}

bool isAuto(const ParameterChoice& choice, const char* key) { return choice.values.at(key) == "auto"; }

double polygonArea(const std::vector<Point>& points) {
    double twice = 0.0;
    for (std::size_t k = 0; k < points.size(); ++k) {
        const Point& p = points[k];
        const Point& q = points[(k + 1) % points.size()];
        twice += p.x * q.y - q.x * p.y;
    }
    return 0.5 * std::fabs(twice);
}

// Extreme choices (a density of 1e308, a kn of 1e-320, ...) overflow or underflow on
// the way to the time step; LAMMPS must never be handed inf, nan or a zero step.
void refuseUnusableValues(const RunParameters& r, double totalMass) {
    const struct {
        const char* name;
        double value;
        bool positive;  // must also be above 0
    } derived[] = {
        {"the total mass", totalMass, true},
        {"kn", r.kn, true},
        {"kt", r.kt, true},
        {"the contact time", r.contactTime, true},
        {"the time step", r.dt, true},
        {"the damping rate", r.dampingRate, false},
        {"the lid speed", r.lidSpeed, false},
    };
    for (const auto& d : derived) {
        if (std::isfinite(d.value) && (!d.positive || d.value > 0.0)) continue;
        throw InputError(std::string("the parameters give ") + d.name + " = " + numberText(d.value, 10) +
                         ", which a run cannot use; check density, gravity, kn, overlap, steps_per_contact, steps "
                         "and lid_speed");
    }
}

}  // namespace

const ParameterKey* parameterKeys(int& count) {
    count = static_cast<int>(std::size(kKeys));
    return kKeys;
}

ParameterChoice defaultParameters() {
    ParameterChoice choice;
    for (const ParameterKey& key : kKeys) choice.values[key.key] = key.defaultValue;
    return choice;
}

ParameterChoice readParameterText(std::string_view text, const std::string& name) {
    ParameterChoice choice = defaultParameters();
    std::istringstream lines{std::string(text)};
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        const std::string where = name + ": line " + std::to_string(number) + ": ";
        const std::string content = trim(line.substr(0, line.find('#')));
        if (content.empty()) continue;
        const auto equals = content.find('=');
        if (equals == std::string::npos) throw InputError(where + "expected key = value");
        const std::string key = trim(std::string_view(content).substr(0, equals));
        const std::string value = trim(std::string_view(content).substr(equals + 1));
        if (!choice.values.count(key)) throw InputError(where + "unknown key '" + key + "'");
        double number_value = 0.0;
        const bool autoAllowed = std::string(defaultParameters().values.at(key)) == "auto";
        if (!(autoAllowed && value == "auto") && !(parseFieldDouble(value, number_value) && number_value >= 0.0))
            throw InputError(where + "'" + key + "' needs a number >= 0" + (autoAllowed ? " or auto" : "") + ", not '" +
                             value + "'");
        choice.values[key] = value;
    }
    return choice;
}

double particleArea(const PackedParticle& particle) {
    if (particle.kind == ShapeKind::Disc) return kPi * particle.a * particle.a;
    return polygonArea(outlinePoints(particle));
}

double particleMass(const PackedParticle& particle, double density) { return density * particleArea(particle); }

RunParameters deriveParameters(const Packing& packing, const ParameterChoice& choice) {
    RunParameters r;
    if (packing.walls.size() != 4) throw InputError("the packing needs four walls, the sides of its rectangle");
    r.xlo = r.xhi = packing.walls[0].x1;
    r.ylo = r.yhi = packing.walls[0].y1;
    for (const WallSegment& w : packing.walls) {
        const bool vertical = w.x1 == w.x2;
        const bool horizontal = w.y1 == w.y2;
        if (vertical == horizontal) throw InputError("the walls must be the four sides of a rectangle");
        r.xlo = std::min({r.xlo, w.x1, w.x2});
        r.xhi = std::max({r.xhi, w.x1, w.x2});
        r.ylo = std::min({r.ylo, w.y1, w.y2});
        r.yhi = std::max({r.yhi, w.y1, w.y2});
    }
    if (!(r.xhi > r.xlo) || !(r.yhi > r.ylo)) throw InputError("the walls enclose no area");

    r.density = valueOf(choice, "density");
    r.gravity = valueOf(choice, "gravity");
    r.overlap = valueOf(choice, "overlap");
    r.impactOverlap = valueOf(choice, "impact_overlap");
    r.restitution = valueOf(choice, "restitution");
    r.friction = valueOf(choice, "friction");
    r.wallFriction = isAuto(choice, "wall_friction") ? r.friction : valueOf(choice, "wall_friction");
    r.stepsPerContact = valueOf(choice, "steps_per_contact");
    r.steps = std::lround(valueOf(choice, "steps"));
    r.dumpEvery = std::lround(valueOf(choice, "dump_every"));
    r.rounding = valueOf(choice, "rounding");
    if (!(r.density > 0.0)) throw InputError("density must be above 0");
    if (!(r.restitution > 0.0 && r.restitution <= 1.0)) throw InputError("restitution must lie in (0, 1]");
    if (!(r.stepsPerContact >= 1.0)) throw InputError("steps_per_contact must be at least 1");
    if (r.steps < 1 || r.dumpEvery < 1) throw InputError("steps and dump_every must be at least 1");
    if (!(r.rounding > 0.0 && r.rounding < 0.5)) throw InputError("rounding must lie in (0, 0.5)");

    double totalMass = 0.0;
    std::vector<double> masses;
    for (const PackedParticle& p : packing.particles) {
        masses.push_back(particleMass(p, r.density));
        totalMass += masses.back();
        if (p.kind == ShapeKind::Polygon) r.clumps = true;
    }
    std::sort(masses.begin(), masses.end());
    const double lightest = masses.front();
    const double median = masses[masses.size() / 2];

    if (isAuto(choice, "kn")) {
        // A bottom particle carries about the packing's weight per unit width times its
        // diameter; kn makes its overlap the chosen fraction of the smallest radius (of the
        // disc radius of a clump, whose one disc may carry it).
        if (!(r.overlap > 0.0)) throw InputError("overlap must be above 0 with kn = auto");
        if (!(r.impactOverlap > 0.0)) throw InputError("impact_overlap must be above 0 with kn = auto");
        const double weight = std::max(totalMass * r.gravity, 1e-300);
        r.kn = 2.0 * weight / ((r.xhi - r.xlo) * r.overlap * (r.clumps ? r.rounding : 1.0));
        // The worst impact: a particle falling the box height, or met by a lid of the given
        // speed on its way, lands on one disc; its overlap must stay the chosen fraction of
        // that disc's radius. (The automatic lid, a tenth of the box height over the whole
        // run, adds nothing worth counting.)
        const double lid = isAuto(choice, "lid_speed") ? 0.0 : valueOf(choice, "lid_speed");
        const double speed = std::sqrt(2.0 * std::fabs(r.gravity) * (r.yhi - r.ylo)) + lid;
        for (const PackedParticle& p : packing.particles) {
            const double radius = p.kind == ShapeKind::Disc ? p.a : r.rounding * p.b;
            const double reach = r.impactOverlap * radius;
            r.kn = std::max(r.kn, particleMass(p, r.density) * speed * speed / (reach * reach));
        }
    } else {
        r.kn = valueOf(choice, "kn");
    }
    if (!(r.kn > 0.0)) throw InputError("kn must be above 0");
    r.kt = r.kn * (2.0 / 7.0);  // not kn * 2: a kn near the largest double stays finite

    // Linear spring-dashpot: the contact time of two of the lightest particles sets dt.
    r.contactTime = kPi * std::sqrt(0.5 * lightest / r.kn);
    r.dt = r.contactTime / r.stepsPerContact;
    // Damping per effective mass that gives the restitution for the median particle pair.
    const double logE = std::log(r.restitution);
    const double omega = std::sqrt(r.kn / (0.5 * median));
    r.dampingRate = 2.0 * omega * (-logE) / std::sqrt(kPi * kPi + logE * logE);

    if (isAuto(choice, "lid_speed"))
        r.lidSpeed = 0.1 * (r.yhi - r.ylo) / (static_cast<double>(r.steps) * r.dt);
    else
        r.lidSpeed = valueOf(choice, "lid_speed");
    refuseUnusableValues(r, totalMass);
    // A particle whose clump would need too many discs is refused here, before any file.
    if (r.clumps) packingClumps(packing, r);
    return r;
}

long promisedDumps(const RunParameters& r) {
    if (r.dumpEvery < 1 || r.steps < 0) return 0;
    const long intervals = r.steps / r.dumpEvery;
    return intervals < std::numeric_limits<long>::max() ? intervals + 1 : intervals;
}

std::string setupText(const RunParameters& r) {
    std::string text = "# demrun setup of this run (written by demrun prepare, read by demrun convert)\n";
    const auto line = [&](const char* key, double value) {
        text += std::string(key) + " = " + numberText(value, 10) + "\n";
    };
    text += std::string("model = ") + (r.clumps ? "clumps" : "discs") + "\n";
    line("density", r.density);
    line("gravity", r.gravity);
    line("kn", r.kn);
    line("kt", r.kt);
    line("restitution", r.restitution);
    line("damping_rate", r.dampingRate);
    line("friction", r.friction);
    line("wall_friction", r.wallFriction);
    line("overlap", r.overlap);
    text += "# particles overlapping a neighbour or a wall by more than this fraction of a disc radius are reported\n";
    line("impact_overlap", r.impactOverlap);
    line("steps_per_contact", r.stepsPerContact);
    line("contact_time", r.contactTime);
    line("dt", r.dt);
    line("steps", static_cast<double>(r.steps));
    line("dump_every", static_cast<double>(r.dumpEvery));
    line("lid_speed", r.lidSpeed);
    line("rounding", r.rounding);
    line("xlo", r.xlo);
    line("xhi", r.xhi);
    line("ylo", r.ylo);
    line("yhi", r.yhi);
    if (!r.runStamp.empty()) text += "run_stamp = " + r.runStamp + "\n";
    return text;
}

RunParameters readSetupText(std::string_view text, const std::string& name) {
    std::map<std::string, std::string> values;
    std::istringstream lines{std::string(text)};
    std::string line;
    while (std::getline(lines, line)) {
        const std::string content = trim(line.substr(0, line.find('#')));
        const auto equals = content.find('=');
        if (content.empty() || equals == std::string::npos) continue;
        values[trim(std::string_view(content).substr(0, equals))] = trim(std::string_view(content).substr(equals + 1));
    }
    const auto number = [&](const char* key) {
        double value = 0.0;
        const auto found = values.find(key);
        if (found == values.end() || !parseFieldDouble(found->second, value))
            throw InputError(name + ": '" + key + "' is missing or not a number");
        return value;
    };
    RunParameters r;
    if (values["model"] == "bodies")
        throw InputError(name +
                         ": prepared by an earlier demrun with rounded-polygon bodies; prepare and run it again");
    if (values["model"] != "clumps" && values["model"] != "discs") throw InputError(name + ": 'model' is missing");
    r.clumps = values["model"] == "clumps";
    r.density = number("density");
    r.gravity = number("gravity");
    r.kn = number("kn");
    r.kt = number("kt");
    r.restitution = number("restitution");
    r.dampingRate = number("damping_rate");
    r.friction = number("friction");
    r.wallFriction = number("wall_friction");
    r.overlap = number("overlap");
    r.impactOverlap = values.count("impact_overlap") ? number("impact_overlap") : 0.0;
    r.stepsPerContact = number("steps_per_contact");
    r.contactTime = number("contact_time");
    r.dt = number("dt");
    r.steps = std::lround(number("steps"));
    r.dumpEvery = std::lround(number("dump_every"));
    r.lidSpeed = number("lid_speed");
    r.rounding = number("rounding");
    r.xlo = number("xlo");
    r.xhi = number("xhi");
    r.ylo = number("ylo");
    r.yhi = number("yhi");
    r.runStamp = values["run_stamp"];
    return r;
}

}  // namespace demrun
