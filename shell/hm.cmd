@"%~dp0hopmenu.exe" %*
@if not errorlevel 1 if errorlevel 0 (call "%~dp0HopdirTemp.Bat" >nul & "%~dp0hopclean.exe")
