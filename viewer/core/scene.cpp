#include "viewer/core/scene.h"

namespace sorvath {

Scene::Scene() : particles(kMaxParticles + 1), walls(kMaxWalls + 1), contacts(kMaxContacts + 1) {}

}  // namespace sorvath
