#pragma once

// Test groups, each run as its own CTest test by name.
void TestEvents();
void TestReentrancy();
void TestErrors();
void TestMessageBox();
void TestPersistence();
void TestDrawing();
void TestInterfaces();
void TestScale();
void TestSizes();
void TestPromotion();
