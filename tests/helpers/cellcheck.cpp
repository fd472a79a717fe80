#include "cellcheck.h"

#include <map>
#include <sstream>
#include <vector>

namespace {

struct Cell {
    long column, row;
    bool operator==(const Cell& other) const { return column == other.column && row == other.row; }
};

// Worked out here, not by the game, so that a wrong rule in the game shows.
Cell OwnCell(MyGameProbe& probe, skObject& object)
{
    tnABO* sized = &object.GetABO();
    if (object.GetObjectType() == skObject::EXPLOSION)
        sized = &probe.TrapABOList()[skObject::BOMB - skObject::RAIN];
    const RECT& field = probe.MainPanel();
    const long grid = probe.GridSize();
    return {FloorDivide(object.GetXPosition() - field.left - sized->GetWidth() / 2, grid),
            FloorDivide(object.GetYPosition() - field.top - sized->GetHeight() / 2, grid)};
}

std::string Describe(const char* what, skObject& object, const std::vector<Cell>& cells)
{
    std::ostringstream text;
    text << what << " (kind " << object.GetObjectType() << " at " << object.GetXPosition() << ","
         << object.GetYPosition() << ") is referred to by " << cells.size() << " cell(s)";
    for (const Cell& cell : cells)
        text << " (" << cell.column << "," << cell.row << ")";
    return text.str();
}

} // namespace

std::string CellReferenceFault(MyGameProbe& probe)
{
    std::map<void*, std::vector<Cell>> referrers;
    for (auto* list : {&probe.TargetList(), &probe.TrapList()})
        for (list->Reset(); list->IsIteratorValid(); list->Next())
            referrers[&list->GetCurrentItem()];

    for (long row = 0; row < probe.YGrids(); ++row) {
        for (long column = 0; column < probe.XGrids(); ++column) {
            tnMap::MapData* cell = probe.Map().GetMapDataPtr(0, column, row);
            if (!cell || !cell->m_pkObject)
                continue;
            auto found = referrers.find(cell->m_pkObject);
            if (found == referrers.end()) {
                std::ostringstream text;
                text << "cell (" << column << "," << row << ") refers to an object in no list";
                return text.str();
            }
            found->second.push_back({column, row});
        }
    }
    for (auto* list : {&probe.TargetList(), &probe.TrapList()}) {
        for (list->Reset(); list->IsIteratorValid(); list->Next()) {
            skObject& object = list->GetCurrentItem();
            const std::vector<Cell>& cells = referrers[&object];
            const bool tornado = object.GetObjectType() == skObject::TORNADO;
            const bool fine = tornado ? cells.empty() : cells.size() == 1 && cells[0] == OwnCell(probe, object);
            if (!fine)
                return Describe(list == &probe.TargetList() ? "a fruit" : "a trap", object, cells);
        }
    }
    if (probe.TrapList().Size() > probe.Traps())
        return "more traps than the level keeps";
    if (probe.TargetList().Size() > static_cast<tnUInt32>(probe.XGrids()) * probe.YGrids())
        return "more fruits than cells";
    if (probe.TempTargetList().Size() > 8u)
        return "more flying fruits than two baskets hold";
    return std::string();
}
