#pragma once

// The system-volume window (Rendszerterfogat): its nine lists with the catalogue behind them and
// what choosing an entry does to the row's boxes. The window's widgets are reached through
// VolumePort, which the window implements; writing a box's text through the port must raise
// that box's Change handler (a complete `calculate`, see summation.h) when the text differs,
// exactly as a user's edit does, before setText returns.

#include <optional>
#include <string>
#include <vector>

#include "currency.h"
#include "state.h"

namespace expans {

// The sixteen input boxes of the window.
enum class VolumeBox {
    Text1,   // collector row 1, liter per collector
    Text2,   // collector row 1, number of collectors
    Text3,   // pipe row 1 length, m
    Text4,   // pipe row 2 length
    Text5,   // pipe row 3 length
    Text6,   // pipe row 4 length
    Text8,   // heat exchanger 1, liter
    Text9,   // heat exchanger 2
    Text10,  // heat exchanger 3
    Text12,  // other fittings, liter
    Text13,  // collector row 2, liter per collector
    Text14,  // collector row 2, number of collectors
    Text15,  // pipe row 1, liter per metre
    Text16,  // pipe row 2, liter per metre
    Text17,  // pipe row 3, liter per metre
    Text18,  // pipe row 4, liter per metre
};

enum class VolumeList { Combo1, Combo2, Combo3, Combo4, Combo5, Combo6, Combo7, Combo8, Combo9 };

// The five result labels.
enum class VolumeLabel { Label9, Label10, Label13, Label14, Label16 };

class VolumePort {
public:
    virtual ~VolumePort() = default;
    virtual std::string text(VolumeBox box) const = 0;
    // Raises the box's Change (a nested calculate) when the text differs from the current one.
    virtual void setText(VolumeBox box, const std::string& text) = 0;
    virtual void setEnabled(VolumeBox box, bool enabled) = 0;
    // Not consulted by the calculation; lets a fake window keep the enabling it was given.
    virtual bool isEnabled(VolumeBox box) const = 0;
    // -1 when nothing is selected (the user typed into the list's text field).
    virtual int listIndex(VolumeList list) const = 0;
    // Puts a list back on an entry without raising its Click: a restore, not a pick.
    virtual void restoreListIndex(VolumeList list, int index) = 0;
    // Application-modal error box; returns when the user has closed it.
    virtual void showMessage(const std::string& message) = 0;
    virtual void setLabel(VolumeLabel label, const std::string& text) = 0;
};

inline constexpr const char* kNoneEntry = "Nincs";

// The three catalogues without "Nincs"; the last entry of each is the user's own figure.
const std::vector<std::string>& collectorNames();
const std::vector<std::string>& exchangerNames();
const std::vector<std::string>& pipeNames();

// The entries a list is filled with, "Nincs" first where the row can be switched off.
std::vector<std::string> listEntries(VolumeList list);
// The entry Form_Load selects.
int startIndex(VolumeList list);
// The list's last entry, the user's own figure ("Más típusú kollektor", …), counted with "Nincs".
int ownFigureIndex(VolumeList list);
// The boxes Form_Load disables just before filling the list (Text1 before Combo4, …).
std::vector<VolumeBox> boxesDisabledAtLoad(VolumeList list);

// Liter per metre of a tube of inner diameter `d` m: d² × 3.1415926 / 4 × 1000, four decimals.
Currency pipeLitresPerMetre(double innerDiameter);
// The figure a liter-per-metre box shows: cut (not rounded) to three decimals, 0.5309 -> "0,53".
std::string pipeBoxText(Currency litresPerMetre, char separator);

// Catalogue volume of an entry, counted without "Nincs"; empty for the "other" entry and out of
// range. Pipes give liter per metre.
std::optional<Currency> collectorVolumeAt(int index);
std::optional<Currency> exchangerVolumeAt(int index);
std::optional<Currency> pipeLitresPerMetreAt(int index);

// The controls' names, "Text15" and "Combo6".
const char* boxName(VolumeBox box);
const char* listName(VolumeList list);

// A box that an entry of a list disables, with the figure the entry writes into it.
struct FixedBox {
    VolumeBox box;
    std::string text;
};
// What `select` leaves disabled at `index` (counted with "Nincs"): the catalogue figure, or the
// zeros of a switched-off row. Nothing for the user's own figure.
std::vector<FixedBox> fixedBoxes(VolumeList list, int index, char separator);

// ComboN_Click: reads the list's index from the port and writes the row's boxes and stored values
// in the order the window's handlers do. With nothing selected only the enabling is done.
void select(VolumeList list, VolumeState& state, VolumePort& port, char separator);

// Which of the row's boxes the user may edit with the list at `index`: the figure box only at the
// user's own entry, the amount box of a switchable row unless it is at "Nincs".
void enableRow(VolumeList list, int index, VolumePort& port);

}  // namespace expans
