<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" sourcelanguage="en">
<context>
    <name>Core</name>
    <message>
        <location filename="../src/convert/converter.h" line="+28"/>
        <source>Number entered is too large.  Please choose a number with 12 or fewer digits.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Too many digits in the result.  Please enter a smaller number to convert.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Please enter a number.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/convert/currencyfile.h" line="+45"/>
        <source>Unable to determine currency file length.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Invalid currency file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Unable to read currency file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/convert/measurefile.h" line="+52"/>
        <source>Unable to determine measurement file length.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Invalid measurement file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Unable to read measurement file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/convert/ratesupdate.h" line="+26"/>
        <source>The exchange rates received were incomplete or not understood; nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The exchange rates received do not include the currency table&apos;s base (United States Dollar); nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The currency rate file could not be read, so it was not updated.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The currency rate file could not be saved; the old one is kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/events/eventlist.h" line="+26"/>
        <source>Cannot read the alarm file.  Return code: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cannot open the alarm file to save it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cannot save the alarm file.  Return code: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cannot close the alarm file while saving.  Close return code: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The alarm file &quot;ALM_ZON.DAT&quot; could not be read, so it is left as it is: events are not saved until it can be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/locations/locationdb.cpp" line="+17"/>
        <source>The Time Zone file is corrupted - unknown location type.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The Custom Time Zone file is corrupted - unknown location type.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The Time Zone file is corrupted - duplicate entry.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Cannot keep the previous time zone file as TIME_ZON.BAK, so the downloaded one is taken in at a later start.  Return code: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The Time Zone file is corrupted - invalid sequence. Run setup again to restore the original file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Cannot open the time zone file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cannot read the time zone file.  Return code: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cannot close the time zone file.  Close return code: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Cannot read the custom time zone file.  Return code: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cannot read the custom time zone file.  Close return code: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Cannot save the time zone file.  Return code: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cannot close the time zone file while saving.  Close return code: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cannot open the custom time zone file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cannot save the custom time zone file.  Return code: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cannot close the custom time zone file while saving.  Close return code: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Cannot open the zone names file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cannot save the zone names file.  Return code: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cannot close the zone names file while saving.  Close return code: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cannot open the custom zone names file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cannot save the custom zone names file.  Return code: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cannot close the custom zone names file while saving.  Close return code: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/locations/locationdb.h" line="+49"/>
        <source>The custom time zone file &quot;CUST_ZON.DAT&quot; could not be read, so it is left as it is: custom locations are not saved until it can be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/locations/locationvalues.h" line="+24"/>
        <source>Names and countries cannot contain double quotes, control characters or characters outside Latin-1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/net/databaseupdate.h" line="+37"/>
        <source>Time Zone and Daylight Savings Time Variations</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No updates have been made to the TIME ZONE file.  The original version is currently in use.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Currency Conversion Rates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No updates have been made to the CURRENCY CONVERSION file.  The original version is currently in use.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Measurement Formulas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No updates have been made to the MEASUREMENT file.  The original version is currently in use.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The downloaded time zone names file is damaged.  The current one stays in use.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The downloaded currency file is not a valid currency rate file.  The current file stays in use.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The downloaded measurement file is not a valid measurement file.  The current file stays in use.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Cannot install the downloaded currency file.  Return code: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cannot install the downloaded measurement file.  Return code: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/net/ftpsession.h" line="+40"/>
        <source>Logging On...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Unable to contact FTP host.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Unable to contact FTP host: it refused the connection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The FTP host closed the connection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The FTP host sent a line too long.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Not on the FTP host; the update goes on without it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Unable to Open Tempoary File.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Unable to write the temporary file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No reply from FTP host.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Unable to open a data connection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Timed out waiting for data from FTP host.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The file from the FTP host is too large.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/net/tcpsocket.h" line="+59"/>
        <source>Unable to open a new socket.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Listening AsyncSelect failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Connected AsyncSelect failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Default AsyncSelect failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Listen failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Connect failed in ConnectHelper.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Connection refused - try later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Receive failed in OnReceive.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Receive failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Receive failed: the host sent a line too long.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Send failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Accept socket failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/net/timesync.h" line="+44"/>
        <source>Invalid Internet address.<byte value="xd"/>
-  Time retrieval failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Can not create socket.<byte value="xd"/>
-  Time retrieval failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Unable to create socket.<byte value="xd"/>
-  Time retrieval failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Timed out looking up the time server&apos;s name.<byte value="xd"/>
-  Time retrieval failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Timed out waiting for the time server.<byte value="xd"/>
-  Time retrieval failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Error receiving time information.<byte value="xd"/>
-  Time retrieval failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No adjustment was necessary.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The time server&apos;s reply held no time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The time server&apos;s reply held a date outside 1970 to 2099.<byte value="xd"/>
-  Time retrieval failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Unable to set the computer&apos;s time.<byte value="xd"/>
-  Time adjustment failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/settings/hourswitch.h" line="+14"/>
        <source>Invalid switch value.  Should be signed numeric between -23 and +23.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/timecore/datetimeentry.h" line="+23"/>
        <source>Invalid month entered. Must be between 1 and 12.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Invalid year entered. The year must be between 1970 and 2099.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Invalid day entered.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Invalid date entered. Must be in MM/DD/YY or MM/DD/YYYY format.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Invalid date entered. Must be in YY-MM-DD or YYYY-MM-DD format.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Invalid date entered. Must be in DD.MM.YY or DD.MM.YYYY format.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Invalid time entered. Must be in HH:MM:SS (24-hour) format.  Minutes and seconds are optional.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Invalid time entered. Must be in HH:MM:SS AM/PM (12-hour) format.  Minutes and seconds are optional.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Invalid hour entered. Must be between 0 and 23.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Invalid hour entered. Must be between 1 and 12.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Invalid minutes entered. Must be between 0 and 59.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Invalid seconds entered. Must be between 0 and 59.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/clock/desktoppage.h" line="+40"/>
        <source>The desktop settings could not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The login start entry could not be changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/events/annualpage.h" line="+17"/>
        <source>Please select a month for the annual alarm.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Please enter a day of month.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The day entered for the selected month is invalid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Should the annual alarm settings be discarded?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/events/dailypage.h" line="+18"/>
        <source>Should the daily alarm settings be discarded?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/events/eventactionsdlg.h" line="+59"/>
        <source>&quot;Run program&quot; check box selected but no program entered.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>When a message box alarm is selected, message text must be entered.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A filename must be supplied when selecting multimedia.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The specified multimedia file can not be found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>When a WAV file alarm is requested the &quot;times&quot; entered must be between 1 and 999.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The multimedia file must be a sound (WAV, Ogg, FLAC, Opus or MP3) or an AVI movie.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The sound file cannot be played: it is not in a format the program reads.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>When a &quot;run program&quot; is requested, a filename must be supplied.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/events/eventeditdlg.h" line="+37"/>
        <source>Alarm name must be entered.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A valid location must be selected in order to determine the time zone used by the alarm.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>No alarm action has been specified.  Do you want to enter an action?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/events/eventlistdlg.h" line="+27"/>
        <source>Export only the chosen events?  No exports all of them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/events/frequencypage.h" line="+33"/>
        <source>Please enter the alarm time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/events/monthlypage.h" line="+19"/>
        <source>Please enter day of the month.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The day of the month must be between 1 and 31.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The day of the month entered is greater than 28 which will cause this alarm to skip certain months.  Do you want to continue using the day of month specified?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Should the monthly alarm settings be discarded?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/events/onetimepage.h" line="+18"/>
        <source>Please enter the alarm date.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Please enter a date and time in the future.  Check the current time of the selected location.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Should the one-time alarm settings be discarded?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/events/weeklypage.h" line="+19"/>
        <source>Please select a day of the week.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Should the weekly alarm settings be discarded?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/locations/locationpropsdlg.cpp" line="+361"/>
        <source>Please enter an integer between -11 and 12.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/locations/locationpropsdlg.h" line="+59"/>
        <source>Choose a time zone from the list, or leave it empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/locations/selectlocationdlg.h" line="+23"/>
        <source>Please select a valid location within the group. Press the &quot;+&quot; sign next to the group to display a list of locations</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/net/timesyncdlg.h" line="+39"/>
        <source>Connecting to time server...<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/net/updatedlg.h" line="+46"/>
        <source>At least one component must be selected for update.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No address specified in FTP directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Updating the time zone database will overwrite changes you may have made to the city or country/city lists.  Any additions made to the custom list will be preserved.  Continue with the update?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Cancel the file transfer in progress?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Time information updates will take effect when the program is restarted.<byte value="xd"/>
Restart Zonewright now?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CAboutDlg</name>
    <message>
        <location filename="../src/ui/clock/aboutdlg.cpp" line="+21"/>
        <source>About Zonewright</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Zonewright version 2.0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Contains data from GeoNames (CC BY 4.0), the tz database (public domain), iso-codes (LGPL 2.1 or later) and libphonenumber (Apache License 2.0), changed to fit the program&apos;s files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&amp;Credits and licences:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>C&amp;lose</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The credits file %1 could not be read.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CAlarmBox</name>
    <message>
        <location filename="../src/ui/platform/alarmbox.cpp" line="+19"/>
        <source>&amp;Snooze</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Dismiss</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>%1 minutes</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CAmountFields</name>
    <message>
        <location filename="../src/ui/convert/amountfields.cpp" line="+30"/>
        <source>Convert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/convert/amountfields.h" line="+30"/>
        <source>Calculations have a Precision of Four Digits.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CAnnualPage</name>
    <message>
        <location filename="../src/ui/events/annualpage.cpp" line="+16"/>
        <source>January</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>February</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>March</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>April</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>May</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>June</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>July</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>August</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>September</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>October</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>November</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>December</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Month:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Day:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CCalendarDlg</name>
    <message>
        <location filename="../src/ui/widgets/calendardlg.cpp" line="+14"/>
        <source>Calendar</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CClockTray</name>
    <message>
        <location filename="../src/ui/clock/clocktray.cpp" line="+49"/>
        <source>Zonewright</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/clock/clocktray.h" line="+22"/>
        <source>Sh&amp;ow Clock</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CClockWnd</name>
    <message>
        <location filename="../src/ui/clock/clockwnd.cpp" line="+91"/>
        <source>Zonewright</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+476"/>
        <source>&amp;Clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>&amp;Events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Update via &amp;Internet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+69"/>
        <source>No change of offset coming</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+182"/>
        <source>dddd d MMMM</source>
        <comment>a clock line&apos;s date, read aloud</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>clocks change within a week</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CColorPage</name>
    <message>
        <location filename="../src/ui/clock/colorpage.cpp" line="+19"/>
        <source>&amp;Background</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Characters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Select Color...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/clock/colorpage.h" line="+24"/>
        <source>Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;All Text&gt;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CCompareTimeDlg</name>
    <message>
        <location filename="../src/ui/locations/comparetimedlg.cpp" line="+27"/>
        <source>List &amp;by:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Select Time...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Select T&amp;ime...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Current Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Plan a meeting…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/locations/comparetimedlg.h" line="+30"/>
        <source>Compare Time</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CCurrencyDlg</name>
    <message>
        <location filename="../src/ui/convert/currencydlg.cpp" line="+159"/>
        <source>Rate of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/convert/currencydlg.h" line="+34"/>
        <source>Currency Conversion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Quantity:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Q&amp;uantity:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Rate as supplied</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CDailyPage</name>
    <message>
        <location filename="../src/ui/events/dailypage.cpp" line="+10"/>
        <source>days</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CDesktopNotifier</name>
    <message>
        <location filename="../src/ui/platform/desktopnotifier.cpp" line="+63"/>
        <source>Snooze %1 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/platform/desktopnotifier.h" line="+26"/>
        <source>Stop sound</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CDesktopPage</name>
    <message>
        <location filename="../src/ui/clock/desktoppage.cpp" line="+21"/>
        <source>Show alarm messages in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;The program&apos;s own box</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A desktop &amp;notification</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Both</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;Keep running in the tray when the clock is closed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Start at login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Mark clocks that change their offset within a week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/clock/desktoppage.h" line="-4"/>
        <source>Desktop</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CEnterTimeDlg</name>
    <message>
        <location filename="../src/ui/locations/entertimedlg.cpp" line="+20"/>
        <source>&amp;Date:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+46"/>
        <source>Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/locations/entertimedlg.h" line="+23"/>
        <source>Enter Time for Comparison</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CEventActionsDlg</name>
    <message>
        <location filename="../src/ui/events/eventactionsdlg.cpp" line="+163"/>
        <source>&amp;Test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&amp;Message Box</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&amp;notify of missed event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>M&amp;ultimedia</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Browse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Play &amp;WAV file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Times</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&amp;File Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>&amp;Run Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Br&amp;owse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>F&amp;ile Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Start in Directory:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/events/eventactionsdlg.h" line="-40"/>
        <source>Event Actions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Select Multimedia File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Select Program File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Audio Files (*.wav *.WAV *.ogg *.OGG *.oga *.OGA *.flac *.FLAC *.opus *.OPUS *.mp3 *.MP3);;Video Files (*.avi *.AVI)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Video Files (*.avi *.AVI);;Audio Files (*.wav *.WAV *.ogg *.OGG *.oga *.OGA *.flac *.FLAC *.opus *.OPUS *.mp3 *.MP3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Executable Files (*)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CEventEditDlg</name>
    <message>
        <location filename="../src/ui/events/eventeditdlg.cpp" line="+45"/>
        <source>Event Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+42"/>
        <source>&amp;On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>An event that is off never fires but keeps its settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;List by</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Daily</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Weekly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Monthly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Annually</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>One Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>&amp;Action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Pre-notify</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>minutes before scheduled time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;If missed:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Run late once</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Skip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ask</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>What to do when the event&apos;s time passes while the computer sleeps or the program is not running</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CEventListDlg</name>
    <message>
        <location filename="../src/ui/events/eventlistdlg.cpp" line="+51"/>
        <source>Set Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Next There</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Next Here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Place</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Repeats</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;Add...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Change...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Export...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Import...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>C&amp;lose</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+190"/>
        <source>You are about to delete the alarm named &quot;%1&quot;.  Do you want to proceed?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/events/eventlistdlg.h" line="+2"/>
        <source>The file is not a calendar that can be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The calendar could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/events/eventtransfer.cpp" line="+26"/>
        <source>Calendars (*.ics);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Export Events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Import Events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Import Events Into</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+70"/>
        <source>Imported %1 events.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 more were left out: the event list is full.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 more were not read: a calendar is read up to %2 events.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Skipped:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CEventSummaryDlg</name>
    <message>
        <location filename="../src/ui/events/eventsummarydlg.cpp" line="+16"/>
        <source>When:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Event Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Location:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Frequency:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Pre-notify:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Action:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/events/eventsummarydlg.h" line="+17"/>
        <source>Event Summary</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CFontPage</name>
    <message>
        <location filename="../src/ui/clock/fontpage.cpp" line="+22"/>
        <source>&amp;Select Font...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Clock Digit S&amp;pacing:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Auto Ad&amp;just Clock Size to Match Font</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>&amp;Names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Date/Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Both</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/clock/fontpage.h" line="+26"/>
        <source>Font</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>System</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CFormatPage</name>
    <message>
        <location filename="../src/ui/clock/formatpage.cpp" line="+16"/>
        <source>Display on Clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Date Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Time Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Dat&amp;e</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Both</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;DD.MM.YY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;MM/DD/YY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;YY-MM-DD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;4 Digit Years</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;12 hour clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;24 hour clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Include &amp;Seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Leading Zeroes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/clock/formatpage.h" line="+21"/>
        <source>Format</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CFrequencyPage</name>
    <message>
        <location filename="../src/ui/events/frequencypage.cpp" line="+32"/>
        <source>&amp;Time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>&amp;Every</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Starting:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CHelpWindow</name>
    <message>
        <location filename="../src/ui/app/helpwindow.cpp" line="+23"/>
        <source>Zonewright Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CLocationListDlg</name>
    <message>
        <location filename="../src/ui/locations/locationlistdlg.cpp" line="+43"/>
        <source>Location List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;List by:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;Add...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Change...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Show On Clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+103"/>
        <source>The current date of %1 is:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The current time of %1 is:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The current date and time of %1 is:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+76"/>
        <source>You are about to delete &quot;%1&quot; from the database.  Do you want to proceed?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>This location has an alarm associated with it.  Remove the alarm named &quot;%1&quot; first.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CLocationPropsDlg</name>
    <message>
        <location filename="../src/ui/locations/locationpropsdlg.cpp" line="-315"/>
        <source>Add New Area Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Add New Custom Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Add New City</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+54"/>
        <source>Change %1 in %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>&amp;Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Located In:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;Time Zone (GMT+):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;Daylight Savings Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>&amp;Starting the</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Ending the</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;Copy From...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+43"/>
        <source>&amp;Zone:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/locations/locationpropsdlg.h" line="-28"/>
        <source>Sunday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Monday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tuesday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Wednesday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Thursday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Friday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Staturday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>1st</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>2nd</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>3rd</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>4th</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>January</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>February</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>March</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>April</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>May</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>June</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>July</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>August</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>September</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>October</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>November</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>December</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Follow the time zone database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>No change of offset coming</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CLocationTree</name>
    <message>
        <location filename="../src/ui/locations/locationtree.h" line="+31"/>
        <source>Country/City</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>City</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Area Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Custom List</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CLogFilePage</name>
    <message>
        <location filename="../src/ui/clock/logfilepage.cpp" line="+26"/>
        <source>&amp;Name and Directory of the Log File:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Log &amp;Time Basis:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;GMT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The directory of &quot;%1&quot; does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Please enter no more than %1 characters.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Browse for the log file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Choose the time basis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/clock/logfilepage.h" line="+29"/>
        <source>Log File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Record Started Programs in the Log File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Greenwich Mean Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Specify Log File Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Log Files (*.log)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CMeasureDlg</name>
    <message>
        <location filename="../src/ui/convert/measuredlg.h" line="+36"/>
        <source>Measurement Conversion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Metric</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>U.S.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Other</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CMeetingPlannerDlg</name>
    <message>
        <location filename="../src/ui/locations/meetingplannerdlg.cpp" line="+74"/>
        <source>&amp;Date:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+45"/>
        <source>Click an hour to see it everywhere and copy it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+64"/>
        <source>Good for all: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <source>Working &amp;hours of </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/locations/meetingplannerdlg.h" line="+26"/>
        <source>Plan a Meeting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No hour is inside everyone&apos;s working hours.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CMissedWnd</name>
    <message>
        <location filename="../src/ui/events/missedwnd.cpp" line="+33"/>
        <source>Missed while away</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>These events came due while the computer slept, the program was not running or the clock was moved on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Place</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Ran late</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Covered by the later run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Skipped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Run now</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CMonthGrid</name>
    <message>
        <location filename="../src/ui/widgets/monthgrid.cpp" line="+161"/>
        <source>Events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Notes</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CMonthlyPage</name>
    <message>
        <location filename="../src/ui/events/monthlypage.cpp" line="+18"/>
        <source>Day of Month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Last Day of Month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>First</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Second</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Third</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Fourth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Fifth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sunday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Monday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tuesday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Wednesday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Thursday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Friday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Saturday</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CMovieWnd</name>
    <message>
        <location filename="../src/ui/platform/moviewnd.cpp" line="+68"/>
        <source>Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/platform/moviewnd.h" line="+20"/>
        <source>Playing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Paused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stopped</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::COneTimePage</name>
    <message>
        <location filename="../src/ui/events/onetimepage.cpp" line="+40"/>
        <source>Date:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CPropertySheet</name>
    <message>
        <location filename="../src/ui/clock/propertysheet.cpp" line="+62"/>
        <source>&amp;Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/clock/propertysheet.h" line="+29"/>
        <source>Properties</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CRatesButton</name>
    <message>
        <location filename="../src/ui/net/ratesbutton.cpp" line="+82"/>
        <source>The exchange rates could not be fetched: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>The exchange rates of %1 are in the currency converter for %2 currencies.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/net/ratesbutton.h" line="+23"/>
        <source>&amp;Today&apos;s Exchange Rates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The exchange rates could not be fetched: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The exchange rates of </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source> are in the currency converter for </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source> currencies.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CRatesSourceDlg</name>
    <message>
        <location filename="../src/ui/net/ratessourcedlg.cpp" line="+23"/>
        <source>Exchange Rates Source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Today&apos;s exchange rates are fetched from this address (http or https). It must serve euro reference rates in the central bank&apos;s daily XML form.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Enter a whole address beginning with http:// or https://.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+29"/>
        <source>The exchange rates source is used for now but could not be saved in %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CScheduleDlg</name>
    <message>
        <location filename="../src/ui/events/scheduledlg.cpp" line="+42"/>
        <source>Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Notes:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Notes for  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Time Basis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;GMT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Greenwich Mean Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Greenwich Mean</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source> Greenwich Mean Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Display events for selected date and following</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>New...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Change...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Event Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Frequency </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Pre-notify</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+121"/>
        <source>Choose the time basis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+215"/>
        <source>A note holds at most %1 characters.  %2 characters were left out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+169"/>
        <source>You are about to delete the alarm named &quot;%1&quot;.  Do you want to proceed?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/events/scheduledlg.h" line="+42"/>
        <source>Scheduled Events</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CSelectLocationDlg</name>
    <message>
        <location filename="../src/ui/locations/selectlocationdlg.cpp" line="+21"/>
        <source>Select a Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;List by:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CSleepWatch</name>
    <message>
        <location filename="../src/ui/platform/sleepwatch.h" line="+17"/>
        <source>PrepareForSleep</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CSplashWnd</name>
    <message>
        <location filename="../src/ui/app/splashwnd.cpp" line="+14"/>
        <source>Zonewright</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Welcome to Zonewright for Linux</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Please wait while data is loading...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CTimeSyncDlg</name>
    <message>
        <location filename="../src/ui/net/timesyncdlg.cpp" line="+74"/>
        <source>ntp:host or daytime:host, with :port if not the usual</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Use this panel to synchronize your computer&apos;s time with the time provided by the Internet time server %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/net/timesyncdlg.h" line="-7"/>
        <source>Synchronize Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use this panel to synchronize your computer&apos;s time with the time provided by a U.S. government Internet server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Synchronize Now</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CUpdateDlg</name>
    <message>
        <location filename="../src/ui/net/updatedlg.cpp" line="+31"/>
        <source>Components to Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Retrieve</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Internet FTP Directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>R&amp;eset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+49"/>
        <source>S&amp;ource...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/net/updatedlg.h" line="-17"/>
        <source>Update via Internet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>This process updates Zonewright&apos;s databases using information retrieved from the internet using FTP.  You must have an active internet connection in order to use this feature.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>An ERROR Occurred.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>    - Press F1 for Help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Show &amp;Details &gt;&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&lt;&lt; Hide &amp;Details</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CWeeklyPage</name>
    <message>
        <location filename="../src/ui/events/weeklypage.cpp" line="+16"/>
        <source>Sunday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Monday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tuesday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Wednesday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Thursday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Friday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Saturday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Day of Week:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Mon-Fri</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Also on:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CWelcomeDlg</name>
    <message>
        <location filename="../src/ui/app/welcomedlg.cpp" line="+11"/>
        <source>Welcome</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Welcome to Zonewright for Linux</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Zonewright for Linux provides many features to help manage time zones, currency, and measurement calculation around the world.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Clicking the RIGHT mouse button on the clock window displays a popup menu providing access to all program functions.  Additionally, the F1 key activates online help describing Zonewright&apos;s features and usage.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&amp;Do not display this panel during startup.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Continue</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CZoneApp</name>
    <message>
        <location filename="../src/ui/app/zoneapp.cpp" line="+106"/>
        <source>Cannot use the data directory &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::ClockActions</name>
    <message>
        <location filename="../src/ui/clock/clockactions.cpp" line="+53"/>
        <source>&amp;Add/Change...	Alt+A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Time Lookup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Set...	Alt+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Browse Schedule	Alt+B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Schedule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Co&amp;mpare Times...	Alt+C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CompareTime</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Compare Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>C&amp;urrency Conversion...	Alt+D</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Currency Conversion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Currency Converson</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Mea&amp;surement Conversion...	Alt+M</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+1"/>
        <source>Measurement Conversion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Update Database...	Alt+U</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+1"/>
        <source>Update Database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Synchronize &amp;Time...	Alt+T</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show &amp;Titlebar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show Tool&amp;bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Keep on Top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mi&amp;nimize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Properties...	Alt+P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Help Topics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;About Zonewright</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>E&amp;xit	Alt+F4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+3"/>
        <location line="+1"/>
        <source>Popup Menu</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zw::CommandLine</name>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="+31"/>
        <source>A world clock: the time of many places at a glance, events and alarms.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Shift every clock by -23 to +23 hours, for a computer whose own clock is kept in local time.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
