#pragma once

// One day's euro reference rates, laid out as the central bank publishes them.
namespace zw::test {

inline constexpr const char* kEuroRatesSample = R"(<?xml version="1.0" encoding="UTF-8"?>
<gesmes:Envelope xmlns:gesmes="http://www.gesmes.org/xml/2002-08-01" xmlns="http://www.ecb.int/vocabulary/2002-08-01/eurofxref">
	<gesmes:subject>Reference rates</gesmes:subject>
	<gesmes:Sender>
		<gesmes:name>European Central Bank</gesmes:name>
	</gesmes:Sender>
	<Cube>
		<Cube time='2026-12-08'>
			<Cube currency='USD' rate='1.0850'/>
			<Cube currency='JPY' rate='162.45'/>
			<Cube currency='CZK' rate='25.112'/>
			<Cube currency='DKK' rate='7.4601'/>
			<Cube currency='GBP' rate='0.85530'/>
			<Cube currency='HUF' rate='395.80'/>
			<Cube currency='PLN' rate='4.2915'/>
			<Cube currency='RON' rate='4.9765'/>
			<Cube currency='SEK' rate='11.2030'/>
			<Cube currency='CHF' rate='0.9412'/>
			<Cube currency='ISK' rate='149.90'/>
			<Cube currency='NOK' rate='11.6125'/>
			<Cube currency='TRY' rate='35.1020'/>
			<Cube currency='AUD' rate='1.6432'/>
			<Cube currency='BRL' rate='6.0321'/>
			<Cube currency='CAD' rate='1.4887'/>
			<Cube currency='CNY' rate='7.7912'/>
			<Cube currency='HKD' rate='8.4377'/>
			<Cube currency='IDR' rate='17012.44'/>
			<Cube currency='ILS' rate='3.9876'/>
			<Cube currency='INR' rate='90.4210'/>
			<Cube currency='KRW' rate='1478.52'/>
			<Cube currency='MXN' rate='21.4478'/>
			<Cube currency='MYR' rate='4.8890'/>
			<Cube currency='NZD' rate='1.7890'/>
			<Cube currency='PHP' rate='61.102'/>
			<Cube currency='SGD' rate='1.4512'/>
			<Cube currency='THB' rate='37.215'/>
			<Cube currency='ZAR' rate='19.8543'/>
		</Cube>
	</Cube>
</gesmes:Envelope>
)";

}  // namespace zw::test
