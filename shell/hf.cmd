@rem hf: hopfind in this cmd.exe window. Each run hands its jump over in a
@rem batch file of its own, in a folder made for that run in the TEMP
@rem folder: mkdir fails when the folder exists, so two windows never share
@rem one, even when they draw the same RANDOM numbers. The batch file runs
@rem while delayed expansion is off (a ! in a name stays a !), and the
@rem directory it leads to passes endlocal on the pushd stack. No variable
@rem is left behind; the exit code is hopfind's.
@setlocal EnableExtensions DisableDelayedExpansion
@set "hopdir_temp=%TEMP%"
@if not defined hopdir_temp set "hopdir_temp=%TMP%"
@set hopdir_try=0
:hopdir_pick
@set /a hopdir_try+=1
@if %hopdir_try% gtr 50 ((echo hf: no folder for the jump could be made in "%hopdir_temp%".)& endlocal & exit /b 1)
@set "hopdir_dir=%hopdir_temp%\hopdir-%RANDOM%-%RANDOM%-%hopdir_try%"
@(call )
@mkdir "%hopdir_dir%" 2>nul
@if errorlevel 1 goto hopdir_pick
@set "HOPDIR_HANDOFF=%hopdir_dir%\HopdirTemp.Bat"
@"%~dp0hopfind.exe" %*
@set "hopdir_status=%ERRORLEVEL%"
@if "%hopdir_status%"=="0" call "%HOPDIR_HANDOFF%" >nul
@if "%hopdir_status%"=="0" "%~dp0hopclean.exe"
@pushd .
@rmdir /s /q "%hopdir_dir%" 2>nul
@endlocal & popd & exit /b %hopdir_status%
