#pragma once

namespace tarvelon {

class MainWindow;

// Connects every control of the window to the operation it runs.
void wireOperations(MainWindow& window);

} // namespace tarvelon
