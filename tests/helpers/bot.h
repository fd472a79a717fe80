#ifndef TESTS_BOT_H
#define TESTS_BOT_H

#include "mygameprobe.h"

#include <vector>

// A small player for tests and tools. It steers the farmer with the game's
// own keys, injected through the test control, and reads the field through
// the probe: on every cell it looks for the nearest fruit or bonus it can reach along
// free cells (a breadth-first search over the grid that treats solid
// scenery, hazards, the field's edge and the chain's own body as walls, and
// water as a wall while it carries fruits) and holds the key of the first
// step. It turns only on cells, as the game allows. A farmer that has stood
// three seconds at a life's start with no safe way out steps out anyway.
class Bot {
public:
    enum class Goal { Fruit, Edge };

    explicit Bot(MyGameProbe& probe, Goal goal = Goal::Fruit) : m_kProbe(probe), m_eGoal(goal) {}
    ~Bot() { ReleaseKeys(); }

    // Looks at the field after a frame and sets the keys for the next one.
    void Act();
    void ReleaseKeys();

private:
    using Direction = ANIMATION_DATA::ANIM_SUBTYPES;
    struct Cell {
        int column, row;
    };

    bool IsOnCell(skObject& head, Cell& cell);
    void MarkWalls();
    void MarkArea(skObject& object, int columns, int rows, int extraRows = 0);
    void MarkCell(int column, int row);
    void MarkMember(skObject& member);
    bool IsInside(int column, int row) const;
    bool IsScenery(int column, int row) const;
    // A first step that is not into scenery, for a farmer who has stood too
    // long; NONESUBTYPE when every way is blocked.
    Direction StepOut(Cell from);
    bool IsOpen(int column, int row) const;
    bool IsGoal(int column, int row) const;
    // The first step towards the nearest goal, or NONESUBTYPE when none is
    // reachable.
    Direction Search(Cell from, Direction heading) const;
    // The step into the largest open region, to wait for a goal to appear.
    Direction Wander(Cell from, Direction heading) const;
    int RegionSize(Cell from) const;
    void Hold(Direction direction);

    MyGameProbe& m_kProbe;
    Goal m_eGoal;
    int m_iColumns = 0;
    int m_iRows = 0;
    std::vector<char> m_kWalls; // one per cell
    int m_iHeldKey = 0;         // DIK code held, 0 for none
    static constexpr int kPatienceFrames = 90; // three seconds
    int m_iStandingFrames = 0;  // frames the farmer has stood with no way to go
    int m_iStepsOut = 0;
};

#endif
