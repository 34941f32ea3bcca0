#pragma once
// Registers the window model's classes, so the component stream can create them by name.
// Registering again changes nothing.
void RegisterControlClasses();
