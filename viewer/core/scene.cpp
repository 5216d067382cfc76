#include "viewer/core/scene.h"

namespace sorvath {
namespace {

template <typename Entry>
void growTo(std::vector<Entry>& table, int count) {
    const size_t wanted = static_cast<size_t>(count) + 1;
    if (table.size() < wanted) table.resize(wanted);
}

}  // namespace

Scene::Scene() : particles(kFirstParticleSlots + 1), walls(kFirstWallSlots + 1), contacts(kFirstContactSlots + 1) {}

void Scene::makeParticleRoom(int count) { growTo(particles, count); }
void Scene::makeWallRoom(int count) { growTo(walls, count); }
void Scene::makeContactRoom(int count) { growTo(contacts, count); }

}  // namespace sorvath
