<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Download Larkspan</title>
<style>
  body { margin: 0; font-family: sans-serif; color: #22303c; background: #f4f6fb; }
  header { background: linear-gradient(135deg, #5b4b9a, #7d6cc4); color: #fff; padding: 32px 48px 24px; }
  header h1 { margin: 0; font-size: 1.9em; font-weight: normal; }
  main { max-width: 860px; margin: 0 auto; padding: 24px 48px 48px; line-height: 1.5; }
  h2 { color: #5b4b9a; font-size: 1.15em; margin-top: 28px; }
  a { color: #4a3c8c; }
  code { background: #e6e3f3; padding: 1px 5px; border-radius: 3px; }
</style>
</head>
<body>
<header>
  <h1>Get the newest Larkspan</h1>
</header>
<main>
  <p>New releases of Larkspan bring fixes and improvements. When the update check in the
  options is on, Larkspan tells you at start-up that a newer release is out.</p>

  <h2>From your distribution</h2>
  <p>The easiest way is your distribution's package manager: it installs the newest packaged
  release and keeps it up to date together with the rest of your system. Look for the package
  named <code>larkspan</code>.</p>

  <h2>From the project</h2>
  <p>Every release is also published on the Larkspan project's release page, with its source
  code, the list of changes and the checksums to verify the download. Build it with CMake as
  described in the "Readme.txt" file that comes with Larkspan.</p>

  <h2>Keeping your settings</h2>
  <p>Installing a new release keeps your options, favorites, typed addresses and blocked-popup
  log: they live in your own folders, not in the program's.</p>

  <p><a href="CII.htm">Report a problem</a> &middot; <a href="./">Back to the start page</a></p>
</main>
</body>
</html>
