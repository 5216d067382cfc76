// Material, contact and run parameters of a simulation: defaults, a user's small
// "key = value" file that overrides them, and the values derived from the packing
// (stiffness, damping, time step). The chosen values are written into the LAMMPS
// script as comments and into the run's setup file for the conversion.
#pragma once

#include "bridge/packing_input.h"

#include <map>
#include <string>
#include <string_view>

namespace demrun {

// What the user may set; "auto" values are derived by deriveParameters.
struct ParameterChoice {
    std::map<std::string, std::string> values;  // key -> text as given or defaulted
};

// The defaults, each with its meaning (for the script comments and the README).
struct ParameterKey {
    const char* key;
    const char* defaultValue;
    const char* meaning;
};
const ParameterKey* parameterKeys(int& count);

// Defaults overridden by "key = value" lines ('#' starts a comment). Throws InputError
// for an unknown key, a line without '=', or a value that is not a number or "auto".
ParameterChoice readParameterText(std::string_view text, const std::string& name);
ParameterChoice defaultParameters();

// Everything the script and the conversion need, in the packing's own units
// (lengths as in newin.dat, time in seconds, mass per unit thickness).
struct RunParameters {
    double density = 0.0;        // mass per unit area
    double gravity = 0.0;        // acceleration, downwards
    double kn = 0.0;             // normal stiffness, force per length
    double kt = 0.0;             // tangential stiffness (2/7 kn)
    double restitution = 0.0;    // normal coefficient of restitution
    double dampingRate = 0.0;    // normal damping per effective mass, 1/s
    double friction = 0.0;       // particle-particle friction coefficient
    double wallFriction = 0.0;   // particle-wall friction coefficient
    double overlap = 0.0;        // target overlap under the column's weight / smallest radius
    double impactOverlap = 0.0;  // largest overlap of the worst impact / disc radius; also the checked limit
    double stepsPerContact = 0.0;
    double contactTime = 0.0;                           // of the lightest particle pair, s
    double dt = 0.0;                                    // time step, s
    long steps = 0;                                     // steps to run
    long dumpEvery = 0;                                 // steps between dumps
    double lidSpeed = 0.0;                              // downwards, length per s
    double rounding = 0.0;                              // disc radius of clumps / their smaller semi-axis
    double xlo = 0.0, xhi = 0.0, ylo = 0.0, yhi = 0.0;  // the walls' rectangle
    bool clumps = false;                                // polygons present: they run as rigid clumps of discs
    std::string runStamp;  // this preparation's stamp (empty in setups written before stamps)
};

// Throws InputError when the walls are not the four sides of a rectangle, or a polygon's
// clump would need too many discs (see packingClumps).
RunParameters deriveParameters(const Packing& packing, const ParameterChoice& choice);

// Mass of a particle in the model (density times its simulated area).
double particleMass(const PackedParticle& particle, double density);
// Area of the polygon of the particle's outline points, or of its disc.
double particleArea(const PackedParticle& particle);

// The distinct dumps a complete run writes: at step 0 and every dumpEvery steps up to steps.
long promisedDumps(const RunParameters& parameters);

// The setup file written next to the script and read back by the conversion.
std::string setupText(const RunParameters& parameters);
RunParameters readSetupText(std::string_view text, const std::string& name);

}  // namespace demrun
