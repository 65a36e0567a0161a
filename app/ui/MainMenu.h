#pragma once
// The main menu and tool bar: one table of menus and their commands, built into a menu bar
// whose actions are registered by command id.

class QMenuBar;
class QToolBar;

namespace zavo {

class CommandActions;

void buildMainMenu(QMenuBar* bar, CommandActions& commands);
void buildToolBar(QToolBar* bar, CommandActions& commands);

}  // namespace zavo
